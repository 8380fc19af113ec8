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

TEST(FileDirPath, OnlyDriveRootedAndUncPathsAreFull) {
  struct Case {
    const wchar_t* path;
    bool full;
  };
  const Case cases[] = {
      {L"C:\\Tools\\tool.exe", true}, {L"z:\\", true},          {L"\\\\server\\share", true},
      {L"\\\\?\\C:\\x.exe", true},    {L"C:tool.exe", false},   {L"C:", false},
      {L"\\Tools\\tool.exe", false},  {L"Tools\\tool.exe", false}, {L"tool.exe", false},
      {L"%windir%\\x.exe", false},    {L"1:\\x.exe", false},    {L"Ä:\\x.exe", false},
      {L"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsFullPath(c.path), c.full) << c.path;
}
