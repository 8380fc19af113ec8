#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/Dateiexistenz.h"
#include "platform/Processes.h"
#include "platform/SpecialFolders.h"

namespace {
// A fresh folder in the temporary folder with one file, tool.exe, in it.
class FileHelpersTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    folder_ = std::wstring(temp) + L"velmarin-files-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    file_ = folder_ + L"\\tool.exe";
    const HANDLE h = CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  void TearDown() override {
    DeleteFileW(file_.c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  static std::wstring MissingDrive() {
    const DWORD drives = GetLogicalDrives();
    for (int letter = 25; letter >= 3; --letter)
      if ((drives & (1u << letter)) == 0) return std::wstring(1, wchar_t(L'A' + letter)) + L":";
    return {};
  }

  std::wstring folder_;
  std::wstring file_;
};
}  // namespace

TEST_F(FileHelpersTest, FileExistsFindsFilesFoldersAndWildcardMatches) {
  EXPECT_TRUE(FileExists(file_));
  EXPECT_TRUE(FileExists(folder_));
  EXPECT_TRUE(FileExists(folder_ + L"\\*.exe"));
  EXPECT_TRUE(FileExists(folder_ + L"\\too?.exe"));
  EXPECT_FALSE(FileExists(folder_ + L"\\*.dll"));
  EXPECT_FALSE(FileExists(folder_ + L"\\missing.exe"));
  EXPECT_FALSE(FileExists(L""));
  EXPECT_FALSE(FileExists(folder_ + std::wstring(1, L'\0') + L"\\ignored"));
}

TEST_F(FileHelpersTest, PathExistsForFilesAndFoldersOnly) {
  EXPECT_TRUE(PathExists(file_));
  EXPECT_TRUE(PathExists(folder_));
  EXPECT_FALSE(PathExists(folder_ + L"\\missing.exe"));
  EXPECT_FALSE(PathExists(L""));
  const std::wstring drive = MissingDrive();
  ASSERT_FALSE(drive.empty());
  EXPECT_FALSE(PathExists(drive + L"\\Tools"));
  EXPECT_FALSE(FileExists(drive + L"\\Tools"));
}

TEST(SpecialFolders, KnownFoldersExistUnknownOnesAreEmpty) {
  const std::wstring programFiles = SpecialFolderPath(FOLDERID_ProgramFiles);
  EXPECT_TRUE(PathExists(programFiles)) << programFiles.c_str();
  EXPECT_EQ(CompareStringOrdinal(SpecialFolderPath(FOLDERID_Windows).c_str(), -1,
                                 WindowsFolder().c_str(), -1, TRUE),
            CSTR_EQUAL);
  EXPECT_EQ(SpecialFolderPath(GUID_NULL), L"");
}
