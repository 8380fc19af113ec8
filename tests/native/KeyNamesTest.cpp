#include <gtest/gtest.h>

#include <string>

#include "commands/KeyNames.h"
#include "ui/Texts.h"

TEST(KeyNames, NamesTheRegistryCannotTakeAsOneSubKey) {
  EXPECT_EQ(CheckKeyName(L""), KeyNameProblem::Empty);
  EXPECT_EQ(CheckKeyName(L"Tools\\app.exe"), KeyNameProblem::Backslash);
  EXPECT_EQ(CheckKeyName(L"app.exe\\"), KeyNameProblem::Backslash);
  EXPECT_EQ(CheckKeyName(std::wstring(256, L'a')), KeyNameProblem::TooLong);
  EXPECT_EQ(CheckKeyName(std::wstring(255, L'a')), KeyNameProblem::None);
  EXPECT_EQ(CheckKeyName(L"c#.exe"), KeyNameProblem::None);
  EXPECT_EQ(CheckKeyName(L"Mein Programm.exe"), KeyNameProblem::None);
  EXPECT_EQ(CheckKeyName(L"app/x.exe"), KeyNameProblem::None);  // a slash is a plain character
  for (const wchar_t* name : {L"VICTIM.EXE\tX", L"a\nb.exe", L"\x01.exe", L"a\x7F.exe"})
    EXPECT_EQ(CheckKeyName(name), KeyNameProblem::ControlCharacter) << name;
  EXPECT_EQ(CheckKeyName(std::wstring(L"a\0b", 3)), KeyNameProblem::ControlCharacter);
}

TEST(KeyNames, EveryProblemHasItsOwnMessage) {
  EXPECT_EQ(KeyNameProblemText(KeyNameProblem::Empty), Texts::kKeyNameEmpty);
  EXPECT_EQ(KeyNameProblemText(KeyNameProblem::Backslash), Texts::kKeyNameBackslash);
  EXPECT_EQ(KeyNameProblemText(KeyNameProblem::TooLong), Texts::kKeyNameTooLong);
  EXPECT_EQ(KeyNameProblemText(KeyNameProblem::ControlCharacter), Texts::kKeyNameControl);
  EXPECT_EQ(KeyNameProblemText(KeyNameProblem::None), L"");
}

TEST(KeyNames, InstallerNamesAreProtectedInAnyCaseAndOnlyAsWholeNames) {
  for (const wchar_t* name : {L"Setup.exe", L"SETUP.EXE", L"setup.exe", L"Winnt32.exe",
                              L"WINNT32.EXE", L"install.exe", L"Install.Exe"})
    EXPECT_TRUE(IsProtectedName(name)) << name;
  for (const wchar_t* name : {L"Setup.exe.bak", L"Setup", L" Setup.exe", L"Setup.exe ",
                              L"MySetup.exe", L"Install.ex", L""})
    EXPECT_FALSE(IsProtectedName(name)) << name;
}

TEST(KeyNames, ShortNameDropsTheLastFourCharactersOfNamesThatHaveThem) {
  EXPECT_EQ(ShortName(L"Winword.exe"), L"Winword");
  EXPECT_EQ(ShortName(L"Setup.exe.bak"), L"Setup.exe");
  EXPECT_EQ(ShortName(L"Abcd"), L"");
  EXPECT_EQ(ShortName(L"Abc"), L"Abc");
  EXPECT_EQ(ShortName(L""), L"");
}

TEST(KeyNames, DeleteMessagesCarryTheShortName) {
  EXPECT_EQ(DeleteQuestion(L"Winword.exe"),
            L"Möchten Sie die Path-Verknüpfung für Winword wirklich löschen ?  ");
  EXPECT_EQ(DeleteQuestion(L"Abcd"), L"Möchten Sie die Path-Verknüpfung für  wirklich löschen ?  ");
  EXPECT_EQ(DeletedMessage(L"Winword.exe"),
            L"Die Verknüpfung für Winword wurde aus der Registrierung entfernt.  ");
}

TEST(KeyNames, FailuresGiveTheSystemsReasonOrElseTheErrorNumber) {
  EXPECT_EQ(SaveFailedMessage(L"Zugriff verweigert", 5),
            std::wstring(Texts::kSaveFailed) + L"\nZugriff verweigert");
  EXPECT_EQ(SaveFailedMessage(L"", 1021), std::wstring(Texts::kSaveFailed) + L"\nFehlercode 1021");
  EXPECT_EQ(DeleteFailedMessage(L"Winword.exe", L"Zugriff verweigert", 5),
            L"Die Verknüpfung für Winword konnte nicht aus der Registrierung entfernt werden.  "
            L"\nZugriff verweigert");
}
