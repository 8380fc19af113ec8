#include "catalogue/DetailsChecks.h"

#include <mutex>
#include <unordered_map>

namespace {
// Entry ids stay far below 2^62. A details id has the top bit set and the next one clear, so it
// is neither an entry's id nor one of the all-ones ids the window keeps for itself.
constexpr uint64_t kDetailsBit = uint64_t{1} << 63;
constexpr uint64_t kMarkMask = uint64_t{3} << 62;

uint64_t DetailsId(EntryId entry) { return entry | kDetailsBit; }

// A job that failed still answers, with nothing known: the window waits for every answer
// before it asks for more.
ProgramDetails DetailsOrNone(const DetailsRequest& request) {
  try {
    return ComputeProgramDetails(request);
  } catch (...) {
    return {};
  }
}
}  // namespace

// Shared with the jobs, which may outlive the owner: each job keeps it alive.
struct DetailsChecks::Store {
  struct Ready {
    int ticket;
    ProgramDetails details;
  };
  std::mutex mutex;
  int lastTicket = 0;
  std::unordered_map<EntryId, int> newest;  // entry -> ticket of its newest submission
  std::unordered_map<EntryId, Ready> ready;

  // Keeps only the newest submission's record, so the store holds at most one per entry.
  void Keep(EntryId entry, int ticket, ProgramDetails details) {
    std::lock_guard lock(mutex);
    const auto found = newest.find(entry);
    if (found != newest.end() && found->second == ticket)
      ready.insert_or_assign(entry, Ready{ticket, std::move(details)});
  }
};

DetailsChecks::DetailsChecks(BackgroundChecks& checks)
    : checks_(checks), store_(std::make_shared<Store>()) {}

bool DetailsChecks::Submit(EntryId entry, DetailsRequest request) {
  int ticket = 0;
  {
    std::lock_guard lock(store_->mutex);
    ticket = store_->lastTicket = store_->lastTicket == INT32_MAX ? 1 : store_->lastTicket + 1;
    store_->newest[entry] = ticket;
    store_->ready.erase(entry);
  }
  const uint64_t generation = checks_.Submit(
      DetailsId(entry), [store = store_, entry, ticket, request = std::move(request)] {
        store->Keep(entry, ticket, DetailsOrNone(request));
        return ticket;
      });
  if (generation == 0) Cancel(entry);
  return generation != 0;
}

void DetailsChecks::Cancel(EntryId entry) {
  checks_.Cancel(DetailsId(entry));
  std::lock_guard lock(store_->mutex);
  store_->newest.erase(entry);
  store_->ready.erase(entry);
}

bool DetailsChecks::IsDetailsResult(const CheckResult& result) {
  return (result.id & kMarkMask) == kDetailsBit;
}

std::optional<std::pair<EntryId, ProgramDetails>> DetailsChecks::Take(const CheckResult& result) {
  if (!IsDetailsResult(result)) return std::nullopt;
  const EntryId entry = result.id & ~kMarkMask;
  std::lock_guard lock(store_->mutex);
  const auto found = store_->ready.find(entry);
  if (found == store_->ready.end() || found->second.ticket != result.value) return std::nullopt;
  std::pair<EntryId, ProgramDetails> taken{entry, std::move(found->second.details)};
  store_->ready.erase(found);
  store_->newest.erase(entry);
  return taken;
}
