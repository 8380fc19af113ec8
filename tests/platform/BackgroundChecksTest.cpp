#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/BackgroundChecks.h"

namespace {
constexpr UINT kChecksDone = WM_APP + 7;

// An event a job waits for; it closes with the last job holding it.
using Gate = std::shared_ptr<void>;
Gate NewGate() { return Gate(CreateEventW(nullptr, TRUE, FALSE, nullptr), CloseHandle); }
void Open(const Gate& gate) { SetEvent(gate.get()); }

std::function<int()> Answer(int value) { return [value] { return value; }; }
std::function<int()> AnswerWhenOpen(Gate gate, int value, Gate started = NewGate()) {
  return [=] {
    Open(started);
    WaitForSingleObject(gate.get(), INFINITE);
    return value;
  };
}

ULONGLONG MillisecondsSince(ULONGLONG start) { return GetTickCount64() - start; }

// A hidden window that takes the finished results whenever it is told of them.
class BackgroundChecksTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM w, LPARAM l) -> LRESULT {
      auto* self = reinterpret_cast<BackgroundChecksTest*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      if (message != kChecksDone || self == nullptr) return DefWindowProcW(window, message, w, l);
      ++self->messages_;
      for (const CheckResult& result : self->checks_->TakeFinished()) self->taken_.push_back(result);
      return 0;
    };
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VelmarinChecksTest";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window_, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  void TearDown() override { DestroyWindow(window_); }

  BackgroundChecks& Start(int workers) {
    checks_ = std::make_unique<BackgroundChecks>(window_, kChecksDone, workers);
    return *checks_;
  }

  // Lets the window handle its messages until `count` results were taken (at most 5 s).
  bool PumpUntilTaken(size_t count) {
    const ULONGLONG start = GetTickCount64();
    while (taken_.size() < count && MillisecondsSince(start) < 5000) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return taken_.size() >= count;
  }

  bool WaitForAnnouncement() {
    MSG message;
    for (int i = 0; i < 500; ++i, Sleep(10))
      if (PeekMessageW(&message, window_, kChecksDone, kChecksDone, PM_NOREMOVE)) return true;
    return false;
  }

  HWND window_ = nullptr;
  std::unique_ptr<BackgroundChecks> checks_;
  std::vector<CheckResult> taken_;
  int messages_ = 0;
};
}  // namespace

TEST_F(BackgroundChecksTest, ResultsReachTheWindowInTheOrderTheyFinish) {
  BackgroundChecks& checks = Start(2);
  const Gate gates[] = {NewGate(), NewGate(), NewGate()};
  uint64_t generations[3] = {};
  for (int i = 0; i < 3; ++i) generations[i] = checks.Submit(i, AnswerWhenOpen(gates[i], 10 * i));
  for (const int i : {1, 0, 2}) {
    Open(gates[i]);
    ASSERT_TRUE(PumpUntilTaken(taken_.size() + 1)) << i;
  }
  const std::vector<CheckResult> expected = {
      {1, generations[1], 10}, {0, generations[0], 0}, {2, generations[2], 20}};
  EXPECT_EQ(taken_, expected);
  EXPECT_EQ(messages_, 3);
}

// One worker runs the jobs in turn, so a last job's result means everything before it is done.
TEST_F(BackgroundChecksTest, OnlyTheNewestSubmissionOfAnIdIsDelivered) {
  struct Case {
    const char* name;
    std::function<void(BackgroundChecks&)> act;
    std::vector<int> delivered;
  };
  const Gate never = NewGate();  // a job waiting for it would hold the one worker for good
  const Case cases[] = {
      {"other ids stay", [](auto& c) {
         c.Submit(5, Answer(1));
         c.Submit(6, Answer(2));
       }, {1, 2}},
      {"superseded while running", [](auto& c) {
         const Gate gate = NewGate(), started = NewGate();
         c.Submit(5, AnswerWhenOpen(gate, 1, started));
         WaitForSingleObject(started.get(), 5000);
         c.Submit(5, Answer(2));
         Open(gate);
       }, {2}},
      {"superseded while queued", [&](auto& c) {
         const Gate gate = NewGate();
         c.Submit(1, AnswerWhenOpen(gate, 100));
         c.Submit(5, AnswerWhenOpen(never, 1));
         c.Submit(5, Answer(2));
         Open(gate);
       }, {100, 2}},
      {"superseded when finished, not yet taken", [&](auto& c) {
         c.Submit(5, Answer(1));
         WaitForAnnouncement();
         c.Submit(5, Answer(2));
       }, {2}},
      {"cancelled while running", [](auto& c) {
         const Gate gate = NewGate(), started = NewGate();
         c.Submit(5, AnswerWhenOpen(gate, 1, started));
         WaitForSingleObject(started.get(), 5000);
         c.Cancel(5);
         Open(gate);
       }, {}},
      {"cancelled while queued", [&](auto& c) {
         const Gate gate = NewGate();
         c.Submit(1, AnswerWhenOpen(gate, 100));
         c.Submit(5, AnswerWhenOpen(never, 1));
         c.Cancel(5);
         Open(gate);
       }, {100}},
      {"a job that throws", [](auto& c) { c.Submit(5, []() -> int { throw 1; }); }, {}},
  };
  for (const Case& c : cases) {
    taken_.clear();
    BackgroundChecks& checks = Start(1);
    c.act(checks);
    checks.Submit(99, Answer(-1));
    ASSERT_TRUE(PumpUntilTaken(c.delivered.size() + 1)) << c.name;
    std::vector<int> delivered;
    for (const CheckResult& result : taken_) delivered.push_back(result.value);
    delivered.pop_back();
    EXPECT_EQ(delivered, c.delivered) << c.name;
  }
}

TEST_F(BackgroundChecksTest, OneMessageAnnouncesEveryResultWaiting) {
  BackgroundChecks& checks = Start(1);
  const Gate lastDone = NewGate();
  for (int i = 0; i < 1000; ++i) checks.Submit(i, Answer(i));
  checks.Submit(1000, [lastDone] {
    Open(lastDone);
    return 1000;
  });
  ASSERT_EQ(WaitForSingleObject(lastDone.get(), 5000), WAIT_OBJECT_0);
  ASSERT_TRUE(PumpUntilTaken(1001));
  EXPECT_LE(messages_, 2);  // the last result may come after the first message was handled
  for (int i = 0; i <= 1000; ++i) EXPECT_EQ(taken_[i].value, i);
}

TEST_F(BackgroundChecksTest, TheWindowNeverWaitsForAStuckJob) {
  // The jobs stand for calls stuck in a network path; they end only after 10 s, and the
  // process may well end before.
  const Gate stuck[] = {NewGate(), NewGate()};
  std::thread([stuck] {
    Sleep(10000);
    for (const Gate& gate : stuck) Open(gate);
  }).detach();
  std::weak_ptr<void> heldByJob;
  {
    BackgroundChecks& checks = Start(2);
    const Gate token = NewGate();
    heldByJob = token;
    checks.Submit(1, [job = AnswerWhenOpen(stuck[0], 1), token] { return job(); });
    checks.Submit(2, AnswerWhenOpen(stuck[1], 2));
    const ULONGLONG start = GetTickCount64();
    for (int i = 0; i < 100; ++i) checks.Submit(3 + i % 7, Answer(i));
    checks.Cancel(3);
    checks.TakeFinished();
    checks_.reset();
    EXPECT_LT(MillisecondsSince(start), 1000u);
  }
  // The first job ends after its owner is gone: its worker lets go of it and tells no one.
  Open(stuck[0]);
  for (int i = 0; i < 500 && !heldByJob.expired(); ++i) Sleep(10);
  EXPECT_TRUE(heldByJob.expired());
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, window_, kChecksDone, kChecksDone, PM_NOREMOVE));
}

namespace {
int ThreadsOfThisProcess() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 thread{};
  thread.dwSize = sizeof(thread);
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread))
    count += thread.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
  CloseHandle(snapshot);
  return count;
}

bool ThreadsFallTo(int count) {
  for (int i = 0; i < 100 && ThreadsOfThisProcess() > count; ++i) Sleep(100);
  return ThreadsOfThisProcess() <= count;
}
}  // namespace

// An idle window holds no workers: they start with the jobs, end when none came for a while,
// and start again for the next jobs.
TEST_F(BackgroundChecksTest, WorkersEndWhenIdleAndStartAgainForNewJobs) {
  const int before = ThreadsOfThisProcess();
  BackgroundChecks& checks = Start(3);
  EXPECT_EQ(ThreadsOfThisProcess(), before);
  for (int i = 0; i < 3; ++i) checks.Submit(i, Answer(i));
  ASSERT_TRUE(PumpUntilTaken(3));
  ASSERT_TRUE(ThreadsFallTo(before));
  checks.Submit(7, Answer(70));
  ASSERT_TRUE(PumpUntilTaken(4));
  EXPECT_EQ(taken_.back().value, 70);
}
