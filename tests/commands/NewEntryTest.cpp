// "Hinzufügen " on the real window: the placeholder row and the panel ready for typing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelCommandsFixture.h"
#include "texts/Texts.h"

namespace {

using Names = std::vector<std::wstring>;

const Names kPlaceholder = {Texts::kNewEntry, Texts::kNewEntryKeyMark, L"", L""};

class NewEntryTest : public PanelCommandsFixture {
 protected:
  void ExpectPanelReadyForANewName() {
    EXPECT_EQ(Text1().Text(), Texts::kNewEntry);
    EXPECT_FALSE(Text1().Locked());
    EXPECT_EQ(Text2().Text(), L"");
    EXPECT_EQ(Text3().Text(), L"");
    DWORD start = 99;
    DWORD end = 99;
    SendMessageW(Text1().Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, std::wstring(Texts::kNewEntry).size());
  }
};

TEST_F(NewEntryTest, OnAnEmptyListThePlaceholderIsTheFirstRowAndTheRegistryStaysAsItWas) {
  PutLastBrowseFolder(L"C:\\Earlier\\");
  OpenWindow();
  ASSERT_EQ(List().Count(), 0);

  New();

  ASSERT_EQ(List().Count(), 1);
  EXPECT_EQ(RowTexts(0), kPlaceholder);
  EXPECT_EQ(ImageKey(0), L"Achtung");
  EXPECT_EQ(List().SelectedIndex(), 0);
  ExpectPanelReadyForANewName();
  EXPECT_EQ(SubKeys(KeyPath(L"")), Names{});
  EXPECT_EQ(ReadText(L"", L"Path"), L"C:\\Earlier\\");
  EXPECT_EQ(Cache().Count(), 0);
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(NewEntryTest, PlaceholderGoesInFrontOfTheLastRow) {
  PutRegistration(L"A.EXE", L"C:\\a.exe");
  PutRegistration(L"B.EXE", L"C:\\b.exe");
  PutRegistration(L"C.EXE", L"C:\\c.exe");
  OpenWindow();
  SelectRow(L"A.exe");

  New();

  ASSERT_EQ(List().Count(), 4);
  EXPECT_EQ(RowTexts(2), kPlaceholder);
  EXPECT_EQ(List().Text(3), L"C.exe");
  EXPECT_EQ(List().SelectedIndex(), 2);
  ExpectPanelReadyForANewName();
  EXPECT_EQ(Cache().Count(), 3);
  EXPECT_EQ(SubKeys(KeyPath(L"")), (Names{L"A.EXE", L"B.EXE", L"C.EXE"}));
}

TEST_F(NewEntryTest, InASortedListThePlaceholderTakesItsSortedPlaceAndIsSelectedThere) {
  PutRegistration(L"ALPHA.EXE", L"C:\\a.exe");
  PutRegistration(L"OMEGA.EXE", L"C:\\o.exe");
  PutRegistration(L"ZETA.EXE", L"C:\\z.exe");
  OpenWindow();
  root_->EntryList().SortBy(0);
  ASSERT_EQ(root_->EntryList().SortColumn(), 0);

  New();

  ASSERT_EQ(List().Count(), 4);
  EXPECT_EQ(RowTexts(1), kPlaceholder);  // "Neuer Eintrag" sorts between Alpha and Omega
  EXPECT_EQ(List().SelectedIndex(), 1);
  ExpectPanelReadyForANewName();
}

// A second use replaces an untouched new entry; one with typed texts is asked about first.
TEST_F(NewEntryTest, SecondUseLeavesTheFirstNewEntryAsTheUserSays) {
  PutRegistration(L"A.EXE", L"C:\\a.exe");
  OpenWindow();
  New();
  const EntryId first = root_->SelectedDraft();
  ASSERT_NE(first, 0u);
  New();
  EXPECT_EQ(List().Count(), 2);
  EXPECT_NE(root_->SelectedDraft(), first);
  Text1().SetText(L"Typed.exe");
  prompts_.messageAnswers = {IDNO};
  New();
  EXPECT_EQ(List().Count(), 2);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"Änderungen an Typed.exe speichern?");
  ExpectPanelReadyForANewName();
}

}  // namespace
