#include "platform/BackgroundChecks.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>

// Everything the workers touch lives here, shared by the owner and every worker. The workers
// are never joined (a job may be stuck for minutes in a network call), so the state must
// outlive the owner until the last worker lets go of it.
struct BackgroundChecks::State {
  struct Pending {
    uint64_t id;
    uint64_t generation;
    std::function<int()> job;
  };

  std::mutex mutex;
  std::condition_variable wake;
  std::deque<Pending> queue;
  std::unordered_map<uint64_t, uint64_t> newest;  // id -> generation whose result counts
  std::vector<CheckResult> finished;
  HWND window = nullptr;
  UINT message = 0;
  int workers = 0;
  uint64_t lastGeneration = 0;
  bool announced = false;  // a message is on its way and nothing was taken since
  bool stopping = false;

  bool IsNewest(uint64_t id, uint64_t generation) const {
    const auto found = newest.find(id);
    return found != newest.end() && found->second == generation;
  }

  // Posting under the lock lets the owner's destructor be sure nothing is posted after it.
  void Deliver(const CheckResult& result) {
    finished.push_back(result);
    if (!announced) announced = PostMessageW(window, message, 0, 0) != FALSE;
  }

  // A worker thread's life: the lock is let go while a job runs.
  void Work() {
    std::unique_lock lock(mutex);
    for (;;) {
      wake.wait(lock, [&] { return stopping || !queue.empty(); });
      if (stopping) return;
      Pending next = std::move(queue.front());
      queue.pop_front();
      if (!IsNewest(next.id, next.generation)) continue;
      lock.unlock();
      const std::optional<int> value = RunCatching(next.job);
      next.job = nullptr;  // what the job holds is let go before the lock is taken again
      lock.lock();
      // A newer submission may still come before the window takes this result, so whether it
      // counts is decided there.
      if (value && !stopping) Deliver({next.id, next.generation, *value});
    }
  }

  static std::optional<int> RunCatching(const std::function<int()>& job) {
    try {
      return job();
    } catch (...) {
      return std::nullopt;  // an exception must not end the program from a worker thread
    }
  }
};

BackgroundChecks::BackgroundChecks(HWND window, UINT message, int workers)
    : state_(std::make_shared<State>()) {
  state_->window = window;
  state_->message = message;
  for (int i = 0; i < std::max(workers, 1); ++i) {
    try {
      std::thread([state = state_] { state->Work(); }).detach();
      ++state_->workers;
    } catch (const std::system_error&) {
      break;  // fewer workers; with none, Submit says so
    }
  }
}

BackgroundChecks::~BackgroundChecks() {
  std::lock_guard lock(state_->mutex);
  state_->stopping = true;
  state_->queue.clear();
  state_->newest.clear();
  state_->finished.clear();
  state_->wake.notify_all();
}

uint64_t BackgroundChecks::Submit(uint64_t id, std::function<int()> job) {
  std::lock_guard lock(state_->mutex);
  if (state_->workers == 0) return 0;
  const uint64_t generation = ++state_->lastGeneration;
  state_->newest[id] = generation;
  state_->queue.push_back({id, generation, std::move(job)});
  state_->wake.notify_one();
  return generation;
}

void BackgroundChecks::Cancel(uint64_t id) {
  std::lock_guard lock(state_->mutex);
  state_->newest.erase(id);
}

std::vector<CheckResult> BackgroundChecks::TakeFinished() {
  std::lock_guard lock(state_->mutex);
  std::vector<CheckResult> taken;
  for (const CheckResult& result : state_->finished) {
    // A newer submission may have come after this result finished.
    if (!state_->IsNewest(result.id, result.generation)) continue;
    state_->newest.erase(result.id);
    taken.push_back(result);
  }
  state_->finished.clear();
  state_->announced = false;
  return taken;
}
