#include <gtest/gtest.h>

#include "platform/FileDirPath.h"

TEST(FileDirPath, SplitsAtTheLastBackslash) {
  EXPECT_EQ(FileNamePart(L"C:\\Programme\\Tool\\tool.exe"), L"tool.exe");
  EXPECT_EQ(DirectoryPart(L"C:\\Programme\\Tool\\tool.exe"), L"C:\\Programme\\Tool\\");
  EXPECT_EQ(FileNamePart(L"\\\\server\\share\\a.exe"), L"a.exe");
  EXPECT_EQ(DirectoryPart(L"\\\\server\\share\\a.exe"), L"\\\\server\\share\\");
}

TEST(FileDirPath, PathWithoutBackslashIsAllFileName) {
  EXPECT_EQ(FileNamePart(L"tool.exe"), L"tool.exe");
  EXPECT_EQ(DirectoryPart(L"tool.exe"), L"");
  EXPECT_EQ(FileNamePart(L""), L"");
  EXPECT_EQ(DirectoryPart(L""), L"");
}

TEST(FileDirPath, TrailingBackslashGivesEmptyFileName) {
  EXPECT_EQ(FileNamePart(L"C:\\Tools\\"), L"");
  EXPECT_EQ(DirectoryPart(L"C:\\Tools\\"), L"C:\\Tools\\");
}
