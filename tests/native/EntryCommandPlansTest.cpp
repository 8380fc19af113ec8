// The platform-free decisions of run, export and rename.
#include <gtest/gtest.h>

#include <set>

#include "catalogue/InstallationText.h"
#include "commands/ExportPlan.h"
#include "commands/RenamePlan.h"
#include "commands/RunPlan.h"

TEST(ArgumentsAfterProgram, AreWhatFollowsTheTestedPath) {
  struct Case {
    const wchar_t* installation;
    const wchar_t* arguments;
  };
  const Case cases[] = {
      {L"C:\\Office\\winword.exe", L""},
      {L"C:\\Office\\winword.exe /n", L" /n"},
      {L"C:\\Office\\WINWORD.EXE /n /q", L" /n /q"},
      {L"C:\\Office\\winword.exe ", L" "},
      {L"\"C:\\Program Files\\Tool\\tool.exe\"", L""},
      {L"\"C:\\Program Files\\Tool\\tool.exe\" /n \"a b\"", L" /n \"a b\""},
      {L"\"C:\\My.exe Tools\\tool.exe\" -x", L" -x"},
      {L"\"C:\\Tool\\tool.exe\"-x", L"-x"},
      {L"\"C:\\unclosed\\tool.exe /n", L""},
      {L"C:\\My.exe Tools\\tool.exe", L" Tools\\tool.exe"},
      {L"C:\\Programme\\Tool", L""},
      {L"C:\\Tool\\tool.exe.bak", L""},
      {L"", L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ArgumentsAfterProgram(c.installation), c.arguments) << c.installation;
}

TEST(RunPlan, DirectoryLosesOneSemicolonThenOneQuoteAtEachEnd) {
  EXPECT_EQ(CleanedDirectory(L"C:\\Programme\\Tools;"), L"C:\\Programme\\Tools");
  EXPECT_EQ(CleanedDirectory(L"\"C:\\My Tools\";"), L"C:\\My Tools");
  EXPECT_EQ(CleanedDirectory(L"\"C:\\My Tools\""), L"C:\\My Tools");
  EXPECT_EQ(CleanedDirectory(L"C:\\Tools;;"), L"C:\\Tools;");
  EXPECT_EQ(CleanedDirectory(L"C:\\A;C:\\B"), L"C:\\A;C:\\B");
  EXPECT_EQ(CleanedDirectory(L"\"\""), L"");
  EXPECT_EQ(CleanedDirectory(L"\""), L"");
  EXPECT_EQ(CleanedDirectory(L";"), L"");
  EXPECT_EQ(CleanedDirectory(L""), L"");
}

TEST(RunPlan, WorkingDirectoryIsTheExistingDirectoryOrTheProgramsFolderOrNone) {
  const std::set<std::wstring> folders = {L"C:\\Tools", L"C:\\Prog\\", L"C:\\My Tools"};
  const PathTest exists = [&](const std::wstring& p) { return folders.count(p) != 0; };
  const std::wstring program = L"C:\\Prog\\tool.exe";

  EXPECT_EQ(WorkingDirectoryFor(L"C:\\Tools;", program, exists), L"C:\\Tools");
  EXPECT_EQ(WorkingDirectoryFor(L"\"C:\\My Tools\";", program, exists), L"C:\\My Tools");
  EXPECT_EQ(WorkingDirectoryFor(L"", program, exists), L"C:\\Prog\\");
  EXPECT_EQ(WorkingDirectoryFor(L";", program, exists), L"C:\\Prog\\")
      << "a directory that is empty once cleaned is no directory";
  EXPECT_EQ(WorkingDirectoryFor(L"C:\\Gone;", program, exists), L"")
      << "a directory that does not exist is not replaced by the program's folder";
  EXPECT_EQ(WorkingDirectoryFor(L"", L"C:\\Gone\\tool.exe", exists), L"");
  EXPECT_EQ(WorkingDirectoryFor(L"", L"tool.exe", exists), L"");
}

TEST(RunPlan, CommandLineQuotesTheProgramAndKeepsItsArgumentsApart) {
  EXPECT_EQ(ProgramCommandLine(L"C:\\Program Files\\T\\t.exe", L""),
            L"\"C:\\Program Files\\T\\t.exe\"");
  EXPECT_EQ(ProgramCommandLine(L"C:\\T\\t.exe", L" /n \"a b\""), L"\"C:\\T\\t.exe\" /n \"a b\"");
  EXPECT_EQ(ProgramCommandLine(L"C:\\T\\t.exe", L"-x"), L"\"C:\\T\\t.exe\" -x");
  EXPECT_EQ(ProgramCommandLine(L"C:\\T\\t.exe", L"\t-x"), L"\"C:\\T\\t.exe\"\t-x");
}

TEST(ExportPlan, ProposalReplacesTheLastThreeCharactersWithReg) {
  EXPECT_EQ(ExportProposal(L"Winword.exe"), L"Winword.reg");
  EXPECT_EQ(ExportProposal(L"Tool.ex"), L"Toolreg");
  EXPECT_EQ(ExportProposal(L"abc"), L"reg");
  EXPECT_EQ(ExportProposal(L"ab"), L"");
  EXPECT_EQ(ExportProposal(L""), L"");
}

TEST(RenamePlan, NamesDifferingOnlyInLetterCaseAddressOneKey) {
  EXPECT_TRUE(NamesTheSameKey(L"Tool.exe", L"TOOL.EXE"));
  EXPECT_TRUE(NamesTheSameKey(L"Über.exe", L"über.exe"));
  EXPECT_FALSE(NamesTheSameKey(L"Tool.exe", L"Tool2.exe"));
  EXPECT_FALSE(NamesTheSameKey(L"Tool.exe", L"Tool.ex"));
}
