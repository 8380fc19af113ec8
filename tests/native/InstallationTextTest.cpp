#include <gtest/gtest.h>

#include <set>

#include "catalogue/InstallationText.h"
#include "catalogue/EntryValues.h"

TEST(AppPathEntry, FileNameHasOnlyItsFirstLetterUpperCase) {
  EXPECT_EQ(FileNameFromKeyName(L"WINWORD.EXE"), L"Winword.exe");
  EXPECT_EQ(FileNameFromKeyName(L"msaccess.exe"), L"Msaccess.exe");
  EXPECT_EQ(FileNameFromKeyName(L"a.EXE"), L"A.exe");
  EXPECT_EQ(FileNameFromKeyName(L"ÜBER.EXE"), L"Über.exe");
  EXPECT_EQ(FileNameFromKeyName(L"äRGER.EXE"), L"Ärger.exe");
  EXPECT_EQ(FileNameFromKeyName(L"7ZFM.EXE"), L"7zfm.exe");
  EXPECT_EQ(FileNameFromKeyName(L""), L"");
}

TEST(AppPathEntry, KeyNameIsTheAppPathsKeyBelowItsRootOrARegistrationBelowThat) {
  EXPECT_EQ(AppPathsKeyName(L"HKEY_LOCAL_MACHINE", L"WINWORD.EXE"),
            L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
            L"Paths\\WINWORD.EXE");
  EXPECT_EQ(AppPathsKeyName(L"HKEY_USERS\\S-1-5-21-1-2-3-1001", L"X.EXE"),
            L"HKEY_USERS\\S-1-5-21-1-2-3-1001\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
            L"Paths\\X.EXE");
  EXPECT_EQ(AppPathsKeyName(L"HKEY_CURRENT_USER"),
            L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths");
}

TEST(AppPathEntry, EachStatusHasItsOwnImageKey) {
  EXPECT_STREQ(ImageKeyOf(EntryStatus::Fine), L"Ready");
  EXPECT_STREQ(ImageKeyOf(EntryStatus::FileNotFound), L"Achtung");
  EXPECT_STREQ(ImageKeyOf(EntryStatus::Broken), L"Fehler");
}

TEST(InstallationText, TestedPathOfEachFormOfInstallation) {
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

// Whatever a key holds, the entry keeps it byte for byte and shows only what is text, with the
// two folder tokens replaced and control characters as their pictures.
TEST(EntryValues, StoredValuesAreKeptWhileTextIsShown) {
  using Registry::RawValue;
  const FolderPaths folders{L"C:\\PF", L"C:\\WIN"};
  const RawValue number{L"", Registry::kTypeDword, {1, 0, 0, 0}};
  const RawValue multi{L"Path", Registry::kTypeMultiString, {'a', 0, 0, 0, 0, 0}};
  const RawValue unterminated{L"", Registry::kTypeString, {'a', 0, 'b', 0}};
  struct Case {
    std::vector<RawValue> values;
    const wchar_t* installation;
    const wchar_t* directory;
  };
  const Case cases[] = {
      {{Registry::TextValue(L"", L"C:\\T\\app.exe\t/flag"), Registry::TextValue(L"PATH", L"C:\\Dir;")},
       L"C:\\T\\app.exe\u2409/flag", L"C:\\Dir;"},
      {{Registry::TextValue(L"", L"\"%ProgramFiles%\\a.exe\" /n", Registry::kTypeExpandString),
        Registry::TextValue(L"Path", L"%SystemRoot%;%CommonProgramFiles%", Registry::kTypeExpandString)},
       L"\"C:\\PF\\a.exe\" /n", L"C:\\WIN;%CommonProgramFiles%"},
      {{number, multi}, L"", L""},
      {{unterminated}, L"ab", L""},
      {{}, L"", L""},
  };
  for (const Case& c : cases) {
    const AppPathEntry entry = EntryFromValues(L"VICTIM.EXE\tX", c.values, folders);
    EXPECT_EQ(entry.KeyName, L"VICTIM.EXE\tX");
    EXPECT_EQ(entry.FileName, L"Victim.exe\u2409x");
    EXPECT_EQ(entry.Installation, c.installation);
    EXPECT_EQ(entry.Directory, c.directory);
    const RawValue* installation = Registry::FindValue(c.values, L"");
    const RawValue* directory = Registry::FindValue(c.values, L"path");
    EXPECT_EQ(entry.StoredInstallation.has_value(), installation != nullptr);
    EXPECT_EQ(entry.StoredDirectory.has_value(), directory != nullptr);
    if (installation) {
      EXPECT_EQ(*entry.StoredInstallation, *installation);
    }
    if (directory) {
      EXPECT_EQ(*entry.StoredDirectory, *directory);
    }
  }
}
