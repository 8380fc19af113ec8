// The find and clean-up dialogs as the user sees them, driven from inside their modal loops.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/ScriptedPrompts.h"
#include "ui/controls/Controls.h"
#include "texts/CompareTexts.h"
#include "texts/Texts.h"
#include "ui/dialogs/CleanUpDialog.h"
#include "ui/dialogs/ComparisonDialog.h"
#include "ui/dialogs/DialogIds.h"
#include "ui/dialogs/FindDialog.h"

namespace {

std::function<void(HWND)> g_action;
const wchar_t* g_caption = nullptr;

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = FindWindowW(L"#32770", g_caption);
  if (dialog == nullptr || !IsWindowVisible(dialog)) return;
  KillTimer(nullptr, timer);
  auto action = std::move(g_action);
  action(dialog);
}

void Drive(const wchar_t* caption, std::function<void(HWND)> action) {
  g_caption = caption;
  g_action = std::move(action);
  SetTimer(nullptr, 0, 30, DriveDialog);
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

TEST(DialogsTest, FindDialogShowsTheLastRequestAndReturnsTheNewOne) {
  ScriptedPrompts prompts;
  bool allChecked = false;
  std::wstring shownPattern;
  Drive(Texts::kFindCaption, [&](HWND dialog) {
    shownPattern = WindowText(GetDlgItem(dialog, IDC_FIND_PATTERN));
    allChecked = IsDlgButtonChecked(dialog, IDC_FIND_ALL) == BST_CHECKED;
    SetDlgItemTextW(dialog, IDC_FIND_PATTERN, L"*.exe");
    Click(dialog, IDC_FIND_NAME);
    Click(dialog, IDC_FIND_CASE);
    Click(dialog, IDOK);
  });
  const auto request = FindDialog::Show(nullptr, {L"c:\\tools\\*", true, false}, prompts);
  EXPECT_EQ(shownPattern, L"c:\\tools\\*");
  EXPECT_TRUE(allChecked);
  ASSERT_TRUE(request);
  EXPECT_EQ(*request, (SearchRequest{L"*.exe", false, true}));

  Drive(Texts::kFindCaption, [](HWND dialog) { Click(dialog, IDCANCEL); });
  EXPECT_FALSE(FindDialog::Show(nullptr, {}, prompts));
}

// A row that may not be removed starts unchecked and cannot be checked; OK hands back the rest.
TEST(DialogsTest, CleanUpDialogKeepsProtectedRowsUnchecked) {
  ScriptedPrompts prompts;
  const std::vector<CleanUpRow> rows = {
      {L"Computer", L"Gone.exe", Texts::kLegendNotFound, L"C:\\gone.exe", true},
      {L"Computer", L"Setup.exe", Texts::kCleanUpProtected, L"C:\\setup.exe", false},
      {L"Benutzer", L"Mine.exe", Texts::kLegendBroken, L"", true}};
  int listed = 0;
  bool protectedChecked = true;
  Drive(Texts::kCleanUpCaption, [&](HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_CLEANUP_LIST);
    listed = ListView_GetItemCount(list);
    ListView_SetCheckState(list, 1, TRUE);
    protectedChecked = ListView_GetCheckState(list, 1) != FALSE;
    ListView_SetCheckState(list, 2, FALSE);
    Click(dialog, IDOK);
  });
  const auto chosen = CleanUpDialog::Show(nullptr, rows, prompts);
  EXPECT_EQ(listed, 3);
  EXPECT_FALSE(protectedChecked);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(*chosen, (std::vector<bool>{true, false, false}));
}

// Only removed and changed rows that may be restored take a check; an added row gets no box,
// a refused one stays empty. OK hands back the checked rows that may be restored.
TEST(DialogsTest, ComparisonDialogOffersOnlyRestorableRows) {
  ScriptedPrompts prompts;
  const std::vector<DifferenceRow> rows = {
      {L"Computer", L"GONE.EXE", L"entfernt", L"", RowOffer::Restorable},
      {L"Computer", L"NEW.EXE", L"hinzugefügt", L"", RowOffer::None},
      {L"Computer", L"SETUP.EXE", L"entfernt, geschützt", L"", RowOffer::Refused},
      {L"Benutzer", L"TYPE.EXE", L"geändert", L"(Standard)", RowOffer::Restorable}};
  std::vector<UINT> boxes;  // the state image of each row after a try to check it
  std::wstring file;
  Drive(Texts::kCompareCaption, [&](HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_COMPARE_LIST);
    file = WindowText(GetDlgItem(dialog, IDC_COMPARE_FILE));
    for (int row : {1, 2, 3}) ListView_SetCheckState(list, row, TRUE);
    for (int row = 0; row < ListView_GetItemCount(list); ++row)
      boxes.push_back(ListView_GetItemState(list, row, LVIS_STATEIMAGEMASK) >> 12);
    Click(dialog, IDOK);
  });
  const auto chosen = ComparisonDialog::Show(nullptr, L"C:\\AppBackup.reg", rows, prompts);
  EXPECT_EQ(file, L"C:\\AppBackup.reg");
  EXPECT_EQ(boxes, (std::vector<UINT>{1, 0, 1, 2}));  // none, empty, checked
  ASSERT_TRUE(chosen);
  EXPECT_EQ(*chosen, (std::vector<bool>{false, false, false, true}));
}

}  // namespace
