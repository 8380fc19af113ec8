#include <gtest/gtest.h>

#include "catalogue/CacheLine.h"

TEST(CacheLine, FieldsSeparatedByExactlyTwoTabs) {
  EXPECT_EQ(FormatCacheLine(L"WINWORD.EXE", L"C:\\Office\\winword.exe", L"C:\\Office"),
            L"WINWORD.EXE\tC:\\Office\\winword.exe\tC:\\Office");
  EXPECT_EQ(FormatCacheLine(L"A.EXE", L"", L""), L"A.EXE\t\t");
  EXPECT_EQ(FormatCacheLine(L"A.EXE", L"", L"D"), L"A.EXE\t\tD");
}

TEST(CacheLine, ParseGivesBackWhatWasFormatted) {
  const CacheFields full = ParseCacheLine(FormatCacheLine(L"Ü.EXE", L"\"C:\\a b\\ü.exe\" /x", L"C:\\a b"));
  EXPECT_EQ(full.KeyName, L"Ü.EXE");
  EXPECT_EQ(full.Installation, L"\"C:\\a b\\ü.exe\" /x");
  EXPECT_EQ(full.Directory, L"C:\\a b");

  const CacheFields empty = ParseCacheLine(L"A.EXE\t\t");
  EXPECT_EQ(empty.KeyName, L"A.EXE");
  EXPECT_EQ(empty.Installation, L"");
  EXPECT_EQ(empty.Directory, L"");
}

TEST(CacheLine, MissingTabsLeaveTheLaterFieldsEmpty) {
  const CacheFields noTab = ParseCacheLine(L"A.EXE");
  EXPECT_EQ(noTab.KeyName, L"A.EXE");
  EXPECT_EQ(noTab.Installation, L"");
  EXPECT_EQ(noTab.Directory, L"");

  const CacheFields oneTab = ParseCacheLine(L"A.EXE\tC:\\a.exe");
  EXPECT_EQ(oneTab.Installation, L"C:\\a.exe");
  EXPECT_EQ(oneTab.Directory, L"");

  const CacheFields nothing = ParseCacheLine(L"");
  EXPECT_EQ(nothing.KeyName, L"");
}
