// The slow file system itself: marked paths take the delay, others do not.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "platform/Dateiexistenz.h"
#include "support/SlowFileSystem.h"

namespace {

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
