#pragma once
// Work the window must not wait for, such as the existence test of a program on a share that
// does not answer, runs on worker threads. The window hears through its message queue that
// results are ready and takes them on its own thread.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The result of one job. Submissions for the same id are told apart by their generation.
struct CheckResult {
  uint64_t id = 0;
  uint64_t generation = 0;
  int value = 0;

  bool operator==(const CheckResult&) const = default;
};

// To be used from one thread, the window's.
class BackgroundChecks {
 public:
  // Up to `workers` threads (at least one) run the jobs; they start with the jobs and end
  // when idle for two seconds. When results are ready, `message` is posted
  // to `window` (wParam and lParam 0); one message may announce several results, so that many
  // jobs cannot flood the window's queue.
  BackgroundChecks(HWND window, UINT message, int workers = 2);

  // Returns at once, also while a job is stuck in the system: running jobs end on their own
  // time, their results are dropped, and nothing is posted to the window any more.
  ~BackgroundChecks();

  BackgroundChecks(const BackgroundChecks&) = delete;
  BackgroundChecks& operator=(const BackgroundChecks&) = delete;

  // Queues `job` for `id` and returns its generation, or 0 when no worker is alive and none
  // could be started (the job will not run). Supersedes every earlier submission for `id`: a queued one
  // does not run, the result of a running or finished one is not delivered. A job that throws
  // delivers nothing. Never waits for a running job.
  uint64_t Submit(uint64_t id, std::function<int()> job);

  // Forgets `id`: a queued job does not run, no result of an earlier submission is delivered.
  void Cancel(uint64_t id);

  // The results finished since the last call, in the order they finished, each the newest
  // submission of its id.
  std::vector<CheckResult> TakeFinished();

 private:
  struct State;
  std::shared_ptr<State> state_;
};
