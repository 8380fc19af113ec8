#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>

#include "platform/Dateiexistenz.h"
#include "platform/Others.h"

namespace {
// A clock that moves on by `step` seconds each time it is read, wrapping at midnight.
struct SteppingClock {
  double time;
  double step;
  int reads = 0;
  double operator()() {
    const double now = time;
    time += step;
    if (time >= 86400.0) time -= 86400.0;
    ++reads;
    return now;
  }
};

// Processor time this thread has used, user and kernel.
double ThreadBusySeconds() {
  FILETIME created{}, ended{}, kernel{}, user{};
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  const auto seconds = [](const FILETIME& t) {
    return ((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

int timerCalls = 0;
void CALLBACK CountTimer(HWND, UINT, UINT_PTR, DWORD) { ++timerCalls; }
}  // namespace

TEST(WaitSeconds, EndsAfterTheTimeAlsoAcrossMidnight) {
  // Starts 1.5 s before midnight and steps a quarter second per read.
  SteppingClock clock{86398.5, 0.25};
  double lastSeen = 0;
  int pumps = 0;
  WaitSeconds(
      2.0, [&] { return lastSeen = clock(); },
      [&] {
        if (++pumps > 1000) throw std::runtime_error("the wait did not end");
      });
  EXPECT_DOUBLE_EQ(lastSeen, 0.5);  // 2 s after the start, not earlier, not a day later
  EXPECT_EQ(pumps, 8);
}

TEST(WaitSeconds, ASmallStepBackIsNotMidnight) {
  // The clock is set back by a minute in the middle of the wait: the wait goes on until
  // 1.5 s have passed (0.5 before the change, 1.0 after it), not a day and not at once.
  const double times[] = {1000.0, 1000.5, 940.5, 941.0, 941.5, 942.0};
  size_t next = 0;
  WaitSeconds(
      1.5,
      [&] {
        if (next > 1000) throw std::runtime_error("the wait did not end");
        return times[std::min(next++, std::size(times) - 1)];
      },
      [] {});
  EXPECT_EQ(next, 5u);
}

TEST(WaitSeconds, NothingToWaitForReturnsAtOnce) {
  for (const double seconds : {0.0, -1.0, std::nan("")}) {
    int reads = 0;
    int pumps = 0;
    WaitSeconds(
        seconds, [&] { return ++reads, 100.0; }, [&] { ++pumps; });
    EXPECT_EQ(pumps, 0) << seconds;
  }
}

TEST(WaitSeconds, KeepsMessagesFlowingWithTheRealClock) {
  timerCalls = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, CountTimer);
  ASSERT_NE(timer, 0u);
  const ULONGLONG start = GetTickCount64();
  const double busyBefore = ThreadBusySeconds();
  WaitSeconds(0.3);
  const double busy = ThreadBusySeconds() - busyBefore;
  const ULONGLONG took = GetTickCount64() - start;
  KillTimer(nullptr, timer);
  EXPECT_GE(took, 280u);
  EXPECT_LT(took, 3000u);
  EXPECT_GT(timerCalls, 0);
  EXPECT_LT(busy, 0.06) << "the wait keeps the processor busy";
}

TEST(ProcessPendingEvents, DispatchesAndKeepsTheQuitRequest) {
  timerCalls = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, CountTimer);
  Sleep(30);
  PostQuitMessage(3);
  ProcessPendingEvents();
  KillTimer(nullptr, timer);
  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
}

TEST(Others, ProgramFolderHoldsThisExecutable) {
  const std::wstring folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), L'\\');
  EXPECT_TRUE(FileExists(folder + L"\\platform_tests.exe")) << folder.c_str();
}

TEST(Others, SystemMessageWithoutLineBreak) {
  const std::wstring text = SystemMessage(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), L'\n');
  EXPECT_NE(text.back(), L'\r');
}
