// Checks of the test tool itself: the slow file system really slows Wine's file calls down.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "support/SlowFileSystem.h"

namespace {
double MillisecondsTaken(const std::function<void()>& work) {
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
}

bool Search(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}
}  // namespace

TEST(SlowFileSystem, MarkedPathsTakeTheDelayOthersDoNot) {
  const std::optional<SlowFileSystem> slow = LoadedSlowFileSystem();
  ASSERT_TRUE(slow) << "LD_PRELOAD does not name libslowfs.so";
  const std::wstring marked = SlowFolderPath(*slow);
  wchar_t plain[MAX_PATH + 1] = {};
  ASSERT_NE(GetWindowsDirectoryW(plain, MAX_PATH + 1), 0u);
  ASSERT_TRUE(CreateDirectoryW(marked.c_str(), nullptr));

  struct Row {
    std::wstring path;
    bool exists;
    bool marked;
  };
  const Row rows[] = {
      {marked, true, true},
      {marked + L"\\missing.exe", false, true},
      {std::wstring(plain), true, false},
      {std::wstring(plain) + L"\\missing.exe", false, false},
  };
  for (const Row& row : rows) {
    bool attributes = false;
    bool found = false;
    const double attributesMs = MillisecondsTaken(
        [&] { attributes = GetFileAttributesW(row.path.c_str()) != INVALID_FILE_ATTRIBUTES; });
    const double searchMs = MillisecondsTaken([&] { found = Search(row.path); });
    EXPECT_EQ(attributes, row.exists) << row.path.c_str();
    EXPECT_EQ(found, row.exists) << row.path.c_str();
    if (row.marked) {
      EXPECT_GE(attributesMs, slow->delayMs) << row.path.c_str();
      EXPECT_GE(searchMs, slow->delayMs) << row.path.c_str();
    } else {
      EXPECT_LT(attributesMs, slow->delayMs) << row.path.c_str();
      EXPECT_LT(searchMs, slow->delayMs) << row.path.c_str();
    }
  }
  EXPECT_TRUE(RemoveDirectoryW(marked.c_str()));
}
