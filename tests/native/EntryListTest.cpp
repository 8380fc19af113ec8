#include <gtest/gtest.h>

#include <set>

#include "catalogue/EntryList.h"

TEST(AppPathEntry, FileNameHasOnlyItsFirstLetterUpperCase) {
  EXPECT_EQ(FileNameFromKeyName(L"WINWORD.EXE"), L"Winword.exe");
  EXPECT_EQ(FileNameFromKeyName(L"msaccess.exe"), L"Msaccess.exe");
  EXPECT_EQ(FileNameFromKeyName(L"a.EXE"), L"A.exe");
  EXPECT_EQ(FileNameFromKeyName(L"ÜBER.EXE"), L"Über.exe");
  EXPECT_EQ(FileNameFromKeyName(L"äRGER.EXE"), L"Ärger.exe");
  EXPECT_EQ(FileNameFromKeyName(L"7ZFM.EXE"), L"7zfm.exe");
  EXPECT_EQ(FileNameFromKeyName(L""), L"");
}

TEST(AppPathEntry, EachStatusHasItsOwnImageKey) {
  EXPECT_STREQ(ImageKeyOf(EntryStatus::Fine), L"Ready");
  EXPECT_STREQ(ImageKeyOf(EntryStatus::FileNotFound), L"Achtung");
  EXPECT_STREQ(ImageKeyOf(EntryStatus::Broken), L"Fehler");
}

TEST(EntryList, TestedPathOfEachFormOfInstallation) {
  struct Case {
    const wchar_t* installation;
    const wchar_t* tested;
  };
  const Case cases[] = {
      {L"C:\\Office\\winword.exe", L"C:\\Office\\winword.exe"},
      {L"C:\\Office\\winword.exe /n", L"C:\\Office\\winword.exe"},
      {L"C:\\Office\\WINWORD.EXE /n /q", L"C:\\Office\\WINWORD.exe"},
      {L"\"C:\\Program Files\\Tool\\tool.exe\"", L"C:\\Program Files\\Tool\\tool.exe"},
      {L"\"C:\\Program Files\\Tool\\tool.exe\" /n", L"C:\\Program Files\\Tool\\tool.exe"},
      {L"\"C:\\My.exe Tools\\tool.exe\" -x", L"C:\\My.exe Tools\\tool.exe"},
      {L"\"C:\\unclosed\\tool.exe", L"C:\\unclosed\\tool.exe"},
      {L"\"", L""},
      {L"\"\" /n", L""},
      {L"C:\\Programme\\Tool", L"C:\\Programme\\Tool"},
      {L"C:\\Tool\\tool.exe.bak", L"C:\\Tool\\tool.exe.bak"},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(TestedPath(c.installation), c.tested) << c.installation;
}

namespace {
// Files that "exist" for the row tests.
const std::set<std::wstring> kExisting = {
    L"C:\\Office\\winword.exe", L"C:\\Program Files\\Tool\\tool.exe", L"C:\\Programme\\Tool",
    L"C:\\Office\\MSACCESS.exe"};

bool Exists(const std::wstring& path) { return kExisting.count(path) != 0; }
}  // namespace

TEST(EntryList, RowShowsTheStoredTextsAndTheStatusOfTheTestedFile) {
  struct Case {
    const wchar_t* key;
    const wchar_t* installation;
    const wchar_t* directory;
    EntryStatus status;
  };
  const Case cases[] = {
      {L"WINWORD.EXE", L"C:\\Office\\winword.exe", L"C:\\Office", EntryStatus::Fine},
      {L"WINWORD.EXE", L"C:\\Office\\winword.exe /n", L"", EntryStatus::Fine},
      {L"MSACCESS.EXE", L"C:\\Office\\MSACCESS.EXE /x", L"", EntryStatus::Fine},
      {L"TOOL.EXE", L"\"C:\\Program Files\\Tool\\tool.exe\"", L"", EntryStatus::Fine},
      {L"TOOL.EXE", L"\"C:\\Program Files\\Tool\\tool.exe\" /n", L"", EntryStatus::Fine},
      {L"TOOL.EXE", L"C:\\Programme\\Tool", L"C:\\Programme", EntryStatus::Fine},
      {L"GONE.EXE", L"C:\\gone\\gone.exe", L"C:\\gone", EntryStatus::FileNotFound},
      {L"GONE.EXE", L"\"C:\\gone\\gone.exe\" /n", L"", EntryStatus::FileNotFound},
      {L"EMPTY.EXE", L"", L"", EntryStatus::Broken},
      {L"EMPTY.EXE", L"\"\" /n", L"C:\\x", EntryStatus::Broken},
  };
  for (const Case& c : cases) {
    const AppPathEntry row =
        RowFromCacheLine(std::wstring(c.key) + L"\t" + c.installation + L"\t" + c.directory, Exists);
    EXPECT_EQ(row.Status, c.status) << c.installation;
    EXPECT_EQ(row.KeyName, c.key) << c.installation;
    EXPECT_EQ(row.Installation, c.installation);
    EXPECT_EQ(row.Directory, c.directory) << c.installation;
  }
}

TEST(EntryList, KeyNameStaysAsStoredWhileFileNameIsNormalised) {
  const AppPathEntry row = RowFromCacheLine(L"a.EXE\tC:\\Office\\winword.exe\t", Exists);
  EXPECT_EQ(row.KeyName, L"a.EXE");
  EXPECT_EQ(row.FileName, L"A.exe");
}

TEST(EntryList, NoExistenceTestMeansNotFound) {
  EXPECT_EQ(RowFromCacheLine(L"A.EXE\tC:\\a.exe\t", ExistenceTest{}).Status,
            EntryStatus::FileNotFound);
}
