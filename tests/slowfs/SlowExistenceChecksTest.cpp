// The window's thread and existence tests on a file system that takes its time.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/BackgroundChecks.h"
#include "platform/Dateiexistenz.h"
#include "support/SlowFileSystem.h"

namespace {
constexpr UINT kChecksDone = WM_APP + 7;

double NowMs() {
  LARGE_INTEGER frequency{}, now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

// What the window does on the message, on its own thread: takes the results. Returns when
// `taken` holds `count` results (at most 30 s).
bool TakeUntil(HWND window, BackgroundChecks& checks, std::vector<CheckResult>& taken,
               size_t count) {
  for (const double start = NowMs(); taken.size() < count && NowMs() - start < 30000;) {
    MSG message;
    while (PeekMessageW(&message, window, kChecksDone, kChecksDone, PM_REMOVE))
      for (const CheckResult& result : checks.TakeFinished()) taken.push_back(result);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
  }
  return taken.size() >= count;
}
}  // namespace

TEST(SlowExistenceChecks, TheWindowGoesOnWhileTheFileSystemTakesItsTime) {
  const std::optional<SlowFileSystem> slow = LoadedSlowFileSystem();
  ASSERT_TRUE(slow) << "LD_PRELOAD does not name libslowfs.so";
  const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  wchar_t windows[MAX_PATH + 1] = {};
  ASSERT_NE(GetWindowsDirectoryW(windows, MAX_PATH + 1), 0u);
  const std::wstring slowProgram = SlowFolderPath(*slow) + L"\\tool.exe";
  const std::wstring plainProgram = std::wstring(windows) + L"\\notepad.exe";
  const auto exists = [](std::wstring path) { return [path] { return FileExists(path) ? 1 : 0; }; };
  auto checks = std::make_unique<BackgroundChecks>(window, kChecksDone, 2);
  const double start = NowMs();
  checks->Submit(1, exists(slowProgram));
  checks->Submit(2, exists(plainProgram));
  EXPECT_LT(NowMs() - start, slow->delayMs / 4.0) << "Submit waited";

  // The plain path's answer comes while the slow one is still in the file system.
  std::vector<CheckResult> taken;
  ASSERT_TRUE(TakeUntil(window, *checks, taken, 1));
  EXPECT_LT(NowMs() - start, slow->delayMs);
  ASSERT_TRUE(TakeUntil(window, *checks, taken, 2));
  EXPECT_GE(NowMs() - start, slow->delayMs);
  EXPECT_EQ(taken[0].id, 2u);
  EXPECT_EQ(taken[0].value, 1);
  EXPECT_EQ(taken[1].id, 1u);
  EXPECT_EQ(taken[1].value, 0);

  checks->Submit(3, exists(slowProgram));
  Sleep(50);  // the worker is in the file system now
  const double destroyStart = NowMs();
  checks.reset();
  EXPECT_LT(NowMs() - destroyStart, slow->delayMs / 4.0) << "destruction waited";
  DestroyWindow(window);
}
