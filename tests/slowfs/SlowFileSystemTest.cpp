// Tests on the slow file system: the tool itself, and the window's thread beside it.
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

bool SearchFinds(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return search != INVALID_HANDLE_VALUE;
}

std::wstring WindowsFolder() {
  wchar_t windows[MAX_PATH + 1] = {};
  GetWindowsDirectoryW(windows, MAX_PATH + 1);
  return windows;
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

TEST(SlowFileSystem, MarkedPathsTakeTheDelayOthersDoNot) {
  const std::optional<SlowFileSystem> slow = LoadedSlowFileSystem();
  ASSERT_TRUE(slow) << "LD_PRELOAD does not name libslowfs.so";
  const std::wstring marked = SlowFolderPath(*slow);
  ASSERT_TRUE(CreateDirectoryW(marked.c_str(), nullptr));
  const struct {
    std::wstring path;
    bool exists, isMarked;
  } rows[] = {{marked, true, true},
              {marked + L"\\missing.exe", false, true},
              {WindowsFolder(), true, false},
              {WindowsFolder() + L"\\missing.exe", false, false}};
  for (const auto& row : rows) {
    double start = NowMs();
    EXPECT_EQ(GetFileAttributesW(row.path.c_str()) != INVALID_FILE_ATTRIBUTES, row.exists);
    const double attributesMs = NowMs() - start;
    start = NowMs();
    EXPECT_EQ(SearchFinds(row.path), row.exists);
    const double searchMs = NowMs() - start;
    EXPECT_EQ(attributesMs >= slow->delayMs, row.isMarked) << row.path.c_str();
    EXPECT_EQ(searchMs >= slow->delayMs, row.isMarked) << row.path.c_str();
  }
  EXPECT_TRUE(RemoveDirectoryW(marked.c_str()));
}

TEST(SlowFileSystem, TheWindowGoesOnWhileExistenceTestsTakeTheirTime) {
  const std::optional<SlowFileSystem> slow = LoadedSlowFileSystem();
  ASSERT_TRUE(slow) << "LD_PRELOAD does not name libslowfs.so";
  const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  const auto exists = [](std::wstring path) { return [path] { return FileExists(path) ? 1 : 0; }; };
  const std::wstring slowProgram = SlowFolderPath(*slow) + L"\\tool.exe";
  auto checks = std::make_unique<BackgroundChecks>(window, kChecksDone, 2);
  const double start = NowMs();
  checks->Submit(1, exists(slowProgram));
  checks->Submit(2, exists(WindowsFolder() + L"\\notepad.exe"));
  EXPECT_LT(NowMs() - start, slow->delayMs / 4.0) << "Submit waited";

  // The plain path's answer comes while the slow one is still in the file system.
  std::vector<CheckResult> taken;
  ASSERT_TRUE(TakeUntil(window, *checks, taken, 1));
  EXPECT_LT(NowMs() - start, slow->delayMs);
  ASSERT_TRUE(TakeUntil(window, *checks, taken, 2));
  EXPECT_GE(NowMs() - start, slow->delayMs);
  const std::vector<CheckResult> expected = {{2, taken[0].generation, 1}, {1, taken[1].generation, 0}};
  EXPECT_EQ(taken, expected);

  checks->Submit(3, exists(slowProgram));
  Sleep(50);  // the worker is in the file system now
  const double destroyStart = NowMs();
  checks.reset();
  EXPECT_LT(NowMs() - destroyStart, slow->delayMs / 4.0) << "destruction waited";
  DestroyWindow(window);
}
