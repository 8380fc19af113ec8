// "Löschen" on the real window and the registry of the throwaway prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelCommandsFixture.h"
#include "texts/Texts.h"
#include "texts/UndoTexts.h"

namespace {

using Names = std::vector<std::wstring>;

constexpr UINT kQuestionFlags = MB_YESNO | MB_ICONWARNING;    // 0x34
constexpr UINT kConfirmationFlags = MB_OK | MB_ICONINFORMATION;  // 0x40
constexpr UINT kStopFlags = MB_OK | MB_ICONERROR;              // 0x10

class DeleteEntryTest : public PanelCommandsFixture {
 protected:
  // Registrations A.EXE .. F.EXE, listed in that order.
  void OpenWithSixRows() {
    for (const wchar_t* key : {L"A.EXE", L"B.EXE", L"C.EXE", L"D.EXE", L"E.EXE", L"F.EXE"})
      PutRegistration(key, L"C:\\x.exe", L"C:\\X;");
    OpenWindow();
    ASSERT_EQ(List().Count(), 6);
  }

  // A delete of APP.EXE whose sub-key denies `denied`: the message starts with `start`, and
  // the key and its row stay.
  void RunRefused(DWORD denied, const std::wstring& start) {
    PutRegistration(L"APP.EXE", L"C:\\app.exe");
    PutRawValue(L"APP.EXE\\Locked", L"x", REG_SZ, L"y", 4);
    Deny(L"APP.EXE\\Locked", denied);
    OpenWindow();

    DeleteRowAnsweringYes(L"App.exe");

    ASSERT_EQ(prompts_.messages.size(), 2u);
    EXPECT_EQ(prompts_.messages[1].text.substr(0, start.size()), start);
    EXPECT_GT(prompts_.messages[1].text.size(), start.size());
    EXPECT_EQ(prompts_.messages[1].flags, kStopFlags);
    EXPECT_EQ(SubKeys(KeyPath(L"APP.EXE")), std::vector<std::wstring>{L"Locked"});
    EXPECT_EQ(SelectedText(), L"App.exe");
    EXPECT_EQ(Text1().Text(), L"App.exe");
  }

  // Selects the row and answers Yes to the question.
  void DeleteRowAnsweringYes(const std::wstring& text) {
    SelectRow(text);
    prompts_.messageAnswers = {IDYES};
    Delete();
  }

};

// ---- Questions and confirmations ----

TEST_F(DeleteEntryTest, YesDeletesTheKeyAfterTheQuestionAndConfirmsWithTheShortName) {
  PutRegistration(L"WINWORD.EXE", L"C:\\Office\\winword.exe", L"C:\\Office;");
  PutRegistration(L"XL.EXE", L"C:\\Office\\xl.exe");
  OpenWindow();

  DeleteRowAnsweringYes(L"Winword.exe");

  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[0].text,
            L"Möchten Sie die Path-Verknüpfung für Winword wirklich löschen ?  ");
  EXPECT_EQ(prompts_.messages[0].title, L" Velmarin");
  EXPECT_EQ(prompts_.messages[0].flags, kQuestionFlags);
  EXPECT_EQ(prompts_.messages[1].text,
            L"Die Verknüpfung für Winword wurde aus der Registrierung entfernt.  ");
  EXPECT_EQ(prompts_.messages[1].title, L" Velmarin");
  EXPECT_EQ(prompts_.messages[1].flags, kConfirmationFlags);
  EXPECT_EQ(SubKeys(KeyPath(L"")), Names{L"XL.EXE"});
  EXPECT_EQ(RowOf(L"Winword.exe"), -1);
  EXPECT_EQ(Cache().Count(), 1);
}

TEST_F(DeleteEntryTest, NoLeavesKeyRowAndPanelAsTheyWere) {
  PutRegistration(L"WINWORD.EXE", L"C:\\Office\\winword.exe");
  OpenWindow();
  SelectRow(L"Winword.exe");
  prompts_.messageAnswers = {IDNO};

  Delete();

  EXPECT_EQ(prompts_.messages.size(), 1u);
  EXPECT_TRUE(RegistrationExists(L"WINWORD.EXE"));
  EXPECT_EQ(List().Count(), 1);
  EXPECT_EQ(Text1().Text(), L"Winword.exe");
}

TEST_F(DeleteEntryTest, ShortNamesOfFourAndFewerCharacters) {
  PutRegistration(L"ABCD", L"C:\\x.exe");
  PutRegistration(L"AB", L"C:\\x.exe");
  OpenWindow();

  DeleteRowAnsweringYes(L"Abcd");
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[0].text, L"Möchten Sie die Path-Verknüpfung für  wirklich löschen ?  ");
  EXPECT_FALSE(RegistrationExists(L"ABCD"));

  prompts_.messages.clear();
  DeleteRowAnsweringYes(L"Ab");
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[0].text, L"Möchten Sie die Path-Verknüpfung für Ab wirklich löschen ?  ");
  EXPECT_FALSE(RegistrationExists(L"AB"));
}

// ---- Protected names ----

TEST_F(DeleteEntryTest, InstallerNamesAreRefusedInAnyCase) {
  for (const wchar_t* key : {L"SETUP.EXE", L"winnt32.exe", L"Install.Exe"})
    PutRegistration(key, L"C:\\setup.exe");
  PutRegistration(L"APP.EXE", L"C:\\app.exe");
  OpenWindow();
  const std::vector<std::wstring> names = {L"Setup.exe", L"Winnt32.exe", L"Install.exe"};

  for (const std::wstring& name : names) {
    prompts_.messages.clear();
    SelectRow(name);
    prompts_.messageAnswers = {IDYES, IDYES};
    Delete();
    ASSERT_EQ(prompts_.messages.size(), 1u) << Narrow(name);
    EXPECT_EQ(prompts_.messages[0].text, Texts::kDeleteRefused);
    EXPECT_EQ(prompts_.messages[0].title, L" Velmarin");
    EXPECT_EQ(prompts_.messages[0].flags, kStopFlags);
  }
  EXPECT_EQ(List().Count(), 4);
  EXPECT_EQ(SubKeys(KeyPath(L"")).size(), 4u);
}

TEST_F(DeleteEntryTest, NamesThatOnlyContainAnInstallerNameAreNotProtected) {
  PutRegistration(L"SETUP.EXE.BAK", L"C:\\setup.exe");
  PutRegistration(L"SETUP", L"C:\\setup.exe");
  OpenWindow();

  DeleteRowAnsweringYes(L"Setup.exe.bak");
  DeleteRowAnsweringYes(L"Setup");

  EXPECT_EQ(SubKeys(KeyPath(L"")), Names{});
  EXPECT_EQ(List().Count(), 0);
}

// ---- The selection afterwards ----

TEST_F(DeleteEntryTest, FourthOfSixSelectsTheThirdAndShowsItInThePanel) {
  OpenWithSixRows();
  DeleteRowAnsweringYes(L"D.exe");
  ASSERT_EQ(List().Count(), 5);
  EXPECT_EQ(List().SelectedIndex(), 2);
  EXPECT_EQ(SelectedText(), L"C.exe");
  EXPECT_EQ(Text1().Text(), L"C.exe");
  EXPECT_EQ(Text2().Text(), L"C:\\x.exe");
  EXPECT_EQ(Text3().Text(), L"C:\\X;");
  EXPECT_TRUE(Text1().Locked());
  EXPECT_FALSE(RegistrationExists(L"D.EXE"));
}

TEST_F(DeleteEntryTest, FirstOfSixSelectsTheRowThatTakesItsPlace) {
  OpenWithSixRows();
  DeleteRowAnsweringYes(L"A.exe");
  EXPECT_EQ(List().SelectedIndex(), 0);
  EXPECT_EQ(SelectedText(), L"B.exe");
  EXPECT_EQ(Text1().Text(), L"B.exe");
}

TEST_F(DeleteEntryTest, OnlyRowLeavesAnEmptyListNoSelectionAndAnEmptyPanel) {
  PutRegistration(L"A.EXE", L"C:\\x.exe", L"C:\\X;");
  OpenWindow();
  DeleteRowAnsweringYes(L"A.exe");
  EXPECT_EQ(List().Count(), 0);
  EXPECT_EQ(List().SelectedIndex(), -1);
  EXPECT_EQ(Text1().Text(), L"");
  EXPECT_EQ(Text2().Text(), L"");
  EXPECT_EQ(Text3().Text(), L"");
  EXPECT_TRUE(Text1().Locked());
}

// ---- The whole registration, or a report ----

TEST_F(DeleteEntryTest, KeyIsDeletedWithItsSubKeys) {
  PutRegistration(L"APP.EXE", L"C:\\app.exe");
  PutRawValue(L"APP.EXE\\SupportedProtocols", L"http", REG_SZ, L"", 2);
  PutRawValue(L"APP.EXE\\Deeper\\Still", L"x", REG_SZ, L"y", 4);
  OpenWindow();
  DeleteRowAnsweringYes(L"App.exe");
  EXPECT_FALSE(RegistrationExists(L"APP.EXE"));
  EXPECT_EQ(List().Count(), 0);
}

// A sub-key the registry refuses to remove, or one that cannot be read (the change then could
// not be taken back, so nothing is written): reported, and the row stays.
TEST_F(DeleteEntryTest, RefusedDeletionIsReportedAndTheRowStays) {
  const std::wstring start =
      std::wstring(Texts::kDeleteFailedStart) + L"App" + Texts::kDeleteFailedEnd + L"\n";
  RunRefused(DELETE, start);
}

TEST_F(DeleteEntryTest, AKeyThatCannotBeReadWholeIsNotDeleted) {
  RunRefused(KEY_QUERY_VALUE, std::wstring(Texts::kJournalBeforeFailed) + L"\nApp.exe\n");
}

// ---- Nothing to delete ----

// Another program removed the key meanwhile: the user hears it, and the row goes with the key.
TEST_F(DeleteEntryTest, KeyRemovedMeanwhileIsReportedAndItsRowGoes) {
  PutRegistration(L"A.EXE", L"C:\\a.exe");
  PutRegistration(L"GONE.EXE", L"C:\\gone.exe");
  OpenWindow();
  SelectRow(L"Gone.exe");
  ASSERT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"GONE.EXE").c_str()), ERROR_SUCCESS);
  prompts_.messageAnswers = {IDYES};
  Delete();
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[1].flags, kStopFlags);
  EXPECT_EQ(RowOf(L"Gone.exe"), -1);
  EXPECT_EQ(List().Count(), 1);
}

TEST_F(DeleteEntryTest, NoSelectedRowOrNoRowsDoesNothing) {
  PutRegistration(L"A.EXE", L"C:\\a.exe");
  PutLastBrowseFolder(L"C:\\Earlier\\");
  OpenWindow();
  ASSERT_TRUE(List().Select(-1));
  prompts_.messageAnswers = {IDYES, IDYES};
  Delete();
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(List().Count(), 1);
  EXPECT_TRUE(RegistrationExists(L"A.EXE"));
  EXPECT_EQ(ReadText(L"", L"Path"), L"C:\\Earlier\\");

  ASSERT_TRUE(List().Clear());
  Delete();
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_TRUE(RegistrationExists(L"A.EXE"));
}

// ---- The placeholder of an unsaved entry ----

TEST_F(DeleteEntryTest, PlaceholderIsDroppedWithoutTouchingRegistryOrCache) {
  PutRegistration(L"A.EXE", L"C:\\a.exe", L"C:\\A;");
  PutRegistration(L"B.EXE", L"C:\\b.exe");
  PutRegistration(L"NEUER EINTRAG", L"C:\\n.exe");  // must not be taken for the placeholder's
  OpenWindow();
  SelectRow(L"B.exe");
  New();
  ASSERT_EQ(List().SelectedIndex(), 2);  // in front of the last row
  prompts_.messageAnswers = {IDYES, IDYES};

  Delete();

  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(SubKeys(KeyPath(L"")), (Names{L"A.EXE", L"B.EXE", L"NEUER EINTRAG"}));
  EXPECT_EQ(Cache().Count(), 3);
  ASSERT_EQ(List().Count(), 3);
  EXPECT_EQ(RowOf(Texts::kNewEntry), -1);
  EXPECT_EQ(List().SelectedIndex(), 1);
  EXPECT_EQ(Text1().Text(), L"B.exe");
  EXPECT_EQ(Text2().Text(), L"C:\\b.exe");
  EXPECT_TRUE(Text1().Locked());
}

TEST_F(DeleteEntryTest, OnlyRowBeingThePlaceholderLeavesAnEmptyLockedPanel) {
  OpenWindow();
  New();
  Delete();
  EXPECT_EQ(List().Count(), 0);
  EXPECT_EQ(Text1().Text(), L"");
  EXPECT_TRUE(Text1().Locked());
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(DeleteEntryTest, EntrySavedUnderThePlaceholdersNameIsDeletedLikeAnyOther) {
  PutRegistration(L"A.EXE", L"C:\\a.exe");
  OpenWindow();
  New();
  Text2().SetText(L"C:\\n.exe");
  ASSERT_EQ(Save(), SaveResult::Saved);  // saved as typed: "Neuer Eintrag"
  ASSERT_TRUE(RegistrationExists(L"NEUER EINTRAG"));

  SelectRow(L"Neuer eintrag");
  prompts_.messageAnswers = {IDYES};
  Delete();

  EXPECT_FALSE(RegistrationExists(L"NEUER EINTRAG"));
  EXPECT_EQ(RowOf(L"Neuer eintrag"), -1);
  EXPECT_EQ(List().Count(), 1);
}

}  // namespace
