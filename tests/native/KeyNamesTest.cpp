#include <gtest/gtest.h>

#include <string>

#include "commands/KeyNames.h"
#include "texts/ExplanationTexts.h"

TEST(KeyNames, EveryProblemHasItsOwnMessage) {
  EXPECT_EQ(Texts::KeyNameProblemText(KeyNameProblem::Empty), Texts::kKeyNameEmpty);
  EXPECT_EQ(Texts::KeyNameProblemText(KeyNameProblem::Backslash), Texts::kKeyNameBackslash);
  EXPECT_EQ(Texts::KeyNameProblemText(KeyNameProblem::TooLong), Texts::kKeyNameTooLong);
  EXPECT_EQ(Texts::KeyNameProblemText(KeyNameProblem::ControlCharacter), Texts::kKeyNameControl);
  EXPECT_EQ(Texts::KeyNameProblemText(KeyNameProblem::None), L"");
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
