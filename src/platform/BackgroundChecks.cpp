#include "platform/BackgroundChecks.h"

#include <algorithm>
#include <chrono>
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
// Workers start when jobs come and end when none came for a while: an idle window holds no
// threads (under Wine every thread keeps about 1 MB of its stacks in memory).
struct BackgroundChecks::State {
  static constexpr std::chrono::seconds kIdleLife{2};

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
  int maxWorkers = 1;
  int running = 0;  // workers alive
  int idle = 0;     // of them waiting for a job
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

  // Under the lock. False when the system gave no thread.
  bool StartWorker(const std::shared_ptr<State>& self) {
    try {
      std::thread([self] { self->Work(); }).detach();
    } catch (const std::system_error&) {
      return false;
    }
    ++running;
    return true;
  }

  // A worker thread's life: the lock is let go while a job runs.
  void Work() {
    std::unique_lock lock(mutex);
    for (;;) {
      ++idle;
      const bool woken = wake.wait_for(lock, kIdleLife, [&] { return stopping || !queue.empty(); });
      --idle;
      if (stopping || !woken) {
        --running;
        return;
      }
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
  state_->maxWorkers = std::max(workers, 1);
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
  State& state = *state_;
  // Another worker while the queued jobs outnumber the idle ones; with none at all, the job
  // cannot run.
  if (state.queue.size() >= static_cast<size_t>(state.idle) && state.running < state.maxWorkers &&
      !state.StartWorker(state_) && state.running == 0)
    return 0;
  const uint64_t generation = ++state.lastGeneration;
  state.newest[id] = generation;
  state.queue.push_back({id, generation, std::move(job)});
  state.wake.notify_one();
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
