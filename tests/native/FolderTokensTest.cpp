#include <gtest/gtest.h>

#include "catalogue/FolderTokens.h"

namespace {
const std::wstring kFolder = L"C:\\Program Files";
}

TEST(FolderTokens, ReplacesTheTokenAndKeepsTheRest) {
  EXPECT_EQ(ReplaceFolderToken(L"%PROGRAMFILES%\\Tool\\tool.exe", kProgramFilesToken, kFolder),
            L"C:\\Program Files\\Tool\\tool.exe");
  EXPECT_EQ(ReplaceFolderToken(L"%ProgramFiles%\\a.exe", kProgramFilesToken, kFolder),
            L"C:\\Program Files\\a.exe");
  EXPECT_EQ(ReplaceFolderToken(L"%systemroot%", kSystemRootToken, L"C:\\windows"),
            L"C:\\windows");
}

TEST(FolderTokens, TextBeforeTheTokenStays) {
  EXPECT_EQ(ReplaceFolderToken(L"\"%ProgramFiles%\\Tool\\tool.exe\" /n", kProgramFilesToken,
                               kFolder),
            L"\"C:\\Program Files\\Tool\\tool.exe\" /n");
  EXPECT_EQ(ReplaceFolderToken(L"D:\\x;%SYSTEMROOT%\\system32", kSystemRootToken, L"C:\\W"),
            L"D:\\x;C:\\W\\system32");
}

TEST(FolderTokens, OnlyTheFirstOccurrenceIsReplaced) {
  EXPECT_EQ(ReplaceFolderToken(L"%PROGRAMFILES%\\a;%programfiles%\\b", kProgramFilesToken, kFolder),
            L"C:\\Program Files\\a;%programfiles%\\b");
}

TEST(FolderTokens, BothTokensInTheOrderOfTheScan) {
  const std::wstring once = ReplaceFolderToken(L"%SystemRoot%\\x;%ProgramFiles%\\y",
                                               kProgramFilesToken, kFolder);
  EXPECT_EQ(ReplaceFolderToken(once, kSystemRootToken, L"C:\\W"),
            L"C:\\W\\x;C:\\Program Files\\y");
}

TEST(FolderTokens, NoTokenOrAnUnknownFolderLeavesOnlyWhatIsKnown) {
  EXPECT_EQ(ReplaceFolderToken(L"C:\\Tool\\tool.exe", kProgramFilesToken, kFolder),
            L"C:\\Tool\\tool.exe");
  EXPECT_EQ(ReplaceFolderToken(L"", kProgramFilesToken, kFolder), L"");
  EXPECT_EQ(ReplaceFolderToken(L"%PROGRAMFILES", kProgramFilesToken, kFolder), L"%PROGRAMFILES");
  EXPECT_EQ(ReplaceFolderToken(L"%PROGRAMFILES%\\a.exe", kProgramFilesToken, L""), L"\\a.exe");
}
