#include <gtest/gtest.h>

#include <string>

#include "catalogue/KeyNameRules.h"

TEST(KeyNameRules, NamesTheRegistryCannotTakeAsOneSubKey) {
  EXPECT_EQ(CheckKeyName(L""), KeyNameProblem::Empty);
  EXPECT_EQ(CheckKeyName(L"Tools\\app.exe"), KeyNameProblem::Backslash);
  EXPECT_EQ(CheckKeyName(L"app.exe\\"), KeyNameProblem::Backslash);
  EXPECT_EQ(CheckKeyName(std::wstring(256, L'a')), KeyNameProblem::TooLong);
  EXPECT_EQ(CheckKeyName(std::wstring(255, L'a')), KeyNameProblem::None);
  EXPECT_EQ(CheckKeyName(L"c#.exe"), KeyNameProblem::None);
  EXPECT_EQ(CheckKeyName(L"Mein Programm.exe"), KeyNameProblem::None);
  EXPECT_EQ(CheckKeyName(L"app/x.exe"), KeyNameProblem::None);  // a slash is a plain character
  // A stored name with a control character can be addressed; a typed one is refused.
  for (const wchar_t* name : {L"VICTIM.EXE\tX", L"a\nb.exe", L"\x01.exe", L"a\x7F.exe"}) {
    EXPECT_EQ(CheckKeyName(name), KeyNameProblem::None) << name;
    EXPECT_EQ(CheckTypedKeyName(name), KeyNameProblem::ControlCharacter) << name;
  }
  EXPECT_EQ(CheckTypedKeyName(std::wstring(L"a\0b", 3)), KeyNameProblem::ControlCharacter);
  EXPECT_EQ(CheckTypedKeyName(L"Tools\\a.exe"), KeyNameProblem::Backslash);
}

TEST(KeyNameRules, InstallerNamesAreProtectedInAnyCaseAndOnlyAsWholeNames) {
  for (const wchar_t* name : {L"Setup.exe", L"SETUP.EXE", L"setup.exe", L"Winnt32.exe",
                              L"WINNT32.EXE", L"install.exe", L"Install.Exe"})
    EXPECT_TRUE(IsProtectedName(name)) << name;
  for (const wchar_t* name : {L"Setup.exe.bak", L"Setup", L" Setup.exe", L"Setup.exe ",
                              L"MySetup.exe", L"Install.ex", L""})
    EXPECT_FALSE(IsProtectedName(name)) << name;
}
