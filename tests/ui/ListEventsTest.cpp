// The entry list's own events on the real list view: sorting by a clicked header, the panel
// following keys and mouse buttons, the command menu opened once per request, and the Keyname
// column kept hidden.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/PanelWindowFixture.h"

namespace {

class ListEventsTest : public PanelWindowFixture {
 protected:
  // Three rows whose order differs by each column.
  void PutThreeRows() {
    PutRegistration(L"ALPHA.EXE", L"C:\\Z\\alpha.exe", L"C:\\M;");
    PutRegistration(L"BETA.EXE", L"C:\\Y\\beta.exe", L"C:\\Z;");
    PutRegistration(L"GAMMA.EXE", L"C:\\X\\gamma.exe", L"C:\\A;");
    OpenWindow();
  }

  std::vector<std::wstring> RowTexts() {
    std::vector<std::wstring> texts;
    for (int i = 0; i < List().Count(); ++i) texts.push_back(List().Text(i));
    return texts;
  }

  // The panel no longer shows any row.
  void ScribbleOverPanel() {
    W().Text1().SetText(L"?");
    W().Text2().SetText(L"?");
    W().Text3().SetText(L"?");
  }

  bool PanelShows(const std::wstring& row) {
    const int index = RowOf(row);
    return index >= 0 && W().Text1().Text() == row &&
           W().Text2().Text() == List().Text(index, 2) &&
           W().Text3().Text() == List().Text(index, 3);
  }

  void Press(UINT message, int row) { SendMessageW(ListHandle(), message, 0, PointOnRow(row)); }
  void PostRelease(UINT message, int row) {
    PostMessageW(ListHandle(), message, 0, PointOnRow(row));
  }
};

const std::vector<std::wstring> kByName = {L"Alpha.exe", L"Beta.exe", L"Gamma.exe"};

// ---- Column click ----

TEST_F(ListEventsTest, HeaderClickSortsAscendingByThatColumnAndStaysAscending) {
  PutThreeRows();
  NotifyFromList(LVN_COLUMNCLICK, 2);
  EXPECT_EQ(RowTexts(), (std::vector<std::wstring>{L"Gamma.exe", L"Beta.exe", L"Alpha.exe"}));
  EXPECT_EQ(List().SortKey(), 2);
  EXPECT_TRUE(List().IsSorted());
  NotifyFromList(LVN_COLUMNCLICK, 2);
  EXPECT_EQ(RowTexts(), (std::vector<std::wstring>{L"Gamma.exe", L"Beta.exe", L"Alpha.exe"}));

  NotifyFromList(LVN_COLUMNCLICK, 3);
  EXPECT_EQ(RowTexts(), (std::vector<std::wstring>{L"Gamma.exe", L"Alpha.exe", L"Beta.exe"}));
  EXPECT_EQ(List().SortKey(), 3);

  NotifyFromList(LVN_COLUMNCLICK, 0);
  EXPECT_EQ(RowTexts(), kByName);
  EXPECT_EQ(List().SortKey(), 0);

  NotifyFromList(LVN_COLUMNCLICK, 2);
  NotifyFromList(LVN_COLUMNCLICK, 1);
  EXPECT_EQ(RowTexts(), kByName);
  EXPECT_EQ(List().SortKey(), 1);
}

TEST_F(ListEventsTest, ClickOnAHeaderOfTheRealControlSorts) {
  PutThreeRows();
  const HWND header = reinterpret_cast<HWND>(SendMessageW(ListHandle(), LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  RECT r{};
  ASSERT_TRUE(SendMessageW(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r)));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(header, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(List().SortKey(), 2);
  EXPECT_EQ(RowTexts(), (std::vector<std::wstring>{L"Gamma.exe", L"Beta.exe", L"Alpha.exe"}));
}

// ---- Keys ----

TEST_F(ListEventsTest, ReleasedArrowKeyShowsTheRowReachedInThePanel) {
  PutThreeRows();
  SelectRow(L"Alpha.exe");
  SetFocus(ListHandle());
  KeyPress(VK_DOWN);
  EXPECT_EQ(List().Text(List().SelectedIndex()), L"Beta.exe");
  EXPECT_TRUE(PanelShows(L"Beta.exe"));
  KeyPress(VK_END);
  EXPECT_TRUE(PanelShows(L"Gamma.exe"));
  EXPECT_EQ(W().CommandMenuOpenings(), 0);
}

TEST_F(ListEventsTest, DeleteF2AndEnterOnlyReloadThePanel) {
  PutThreeRows();
  SelectRowOnly(L"Beta.exe");
  SetFocus(ListHandle());
  for (WPARAM key : {VK_DELETE, VK_F2, VK_RETURN}) {
    ScribbleOverPanel();
    KeyPress(key);
    EXPECT_TRUE(PanelShows(L"Beta.exe")) << key;
    EXPECT_EQ(SendMessageW(ListHandle(), LVM_GETEDITCONTROL, 0, 0), 0) << "no label edit " << key;
  }
  EXPECT_EQ(RowTexts(), kByName);
  EXPECT_TRUE(RegistrationExists(L"BETA.EXE"));
  EXPECT_EQ(W().CommandMenuOpenings(), 0);
  EXPECT_EQ(MenuLoops(), 0);
}

TEST_F(ListEventsTest, ContextMenuKeyLoadsTheRowAndOpensTheMenuOnce) {
  PutThreeRows();
  SelectRowOnly(L"Gamma.exe");
  ScribbleOverPanel();
  MenuCloser closer;
  KeyPress(VK_APPS);
  EXPECT_TRUE(PanelShows(L"Gamma.exe"));
  EXPECT_EQ(W().CommandMenuOpenings(), 1);
  EXPECT_EQ(MenuLoops(), 1);
}

// ---- Mouse buttons ----

TEST_F(ListEventsTest, LeftClickLoadsTheRowOnPressAndReleaseAndOpensNoMenu) {
  PutThreeRows();
  SelectRow(L"Alpha.exe");
  Hold(VK_LBUTTON, true);
  Press(WM_LBUTTONDOWN, RowOf(L"Gamma.exe"));
  EXPECT_EQ(List().Text(List().SelectedIndex()), L"Gamma.exe");
  EXPECT_TRUE(PanelShows(L"Gamma.exe")) << "press";

  ScribbleOverPanel();
  Hold(VK_LBUTTON, false);
  Press(WM_LBUTTONUP, RowOf(L"Gamma.exe"));
  EXPECT_TRUE(PanelShows(L"Gamma.exe")) << "release";

  // A second release without a press is no event of the list.
  ScribbleOverPanel();
  Press(WM_LBUTTONUP, RowOf(L"Gamma.exe"));
  EXPECT_EQ(W().Text1().Text(), L"?");
  EXPECT_EQ(W().CommandMenuOpenings(), 0);
  EXPECT_EQ(MenuLoops(), 0);
}

TEST_F(ListEventsTest, LeftClickAppliesTheClickRuleToTheRowItLoaded) {
  PutThreeRows();
  // A new entry in progress; clicking an ordinary row leaves new-entry mode entirely.
  W().Text1().SetLocked(false);
  W().Text1().SetText(L"Neuer Eintrag");
  W().Text3().SetLocked(false);
  Hold(VK_LBUTTON, true);
  Press(WM_LBUTTONDOWN, RowOf(L"Beta.exe"));
  Hold(VK_LBUTTON, false);
  Press(WM_LBUTTONUP, RowOf(L"Beta.exe"));
  EXPECT_TRUE(PanelShows(L"Beta.exe"));
  EXPECT_TRUE(W().Text1().Locked());
  EXPECT_TRUE(W().Text3().Locked());
}

// Under Windows the list reports the click while it still handles the press, before the panel
// has loaded the row. This stands in for it: the click is reported as the row gets selected.
LRESULT CALLBACK ClickWhenARowGetsSelected(HWND hwnd, UINT message, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_NOTIFY) {
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (change.hdr.code == LVN_ITEMCHANGED && (change.uNewState & LVIS_SELECTED) != 0 &&
        (change.uOldState & LVIS_SELECTED) == 0) {
      NMITEMACTIVATE click{};
      click.hdr = change.hdr;
      click.hdr.code = NM_CLICK;
      click.iItem = change.iItem;
      DefSubclassProc(hwnd, WM_NOTIFY, wParam, reinterpret_cast<LPARAM>(&click));
    }
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST_F(ListEventsTest, ClickReportedDuringThePressWaitsForTheRowToLoad) {
  PutThreeRows();
  SelectRow(L"Alpha.exe");
  W().Text1().SetLocked(false);
  W().Text1().SetText(L"Neuer Eintrag");
  W().Text3().SetLocked(false);
  ASSERT_TRUE(SetWindowSubclass(W().Handle(), &ClickWhenARowGetsSelected, 1, 0));
  Hold(VK_LBUTTON, true);
  Press(WM_LBUTTONDOWN, RowOf(L"Beta.exe"));
  RemoveWindowSubclass(W().Handle(), &ClickWhenARowGetsSelected, 1);
  EXPECT_TRUE(PanelShows(L"Beta.exe"));
  EXPECT_TRUE(W().Text1().Locked());
  EXPECT_TRUE(W().Text3().Locked()) << "the rule saw the loaded row, not the placeholder";
}

TEST_F(ListEventsTest, ReleaseTakenByTheListIsHandledRightAfterThePress) {
  PutThreeRows();
  SelectRow(L"Alpha.exe");
  // The button is already up when the list has handled the press: its release was consumed.
  Press(WM_MBUTTONDOWN, RowOf(L"Alpha.exe"));
  EXPECT_TRUE(PanelShows(L"Alpha.exe"));
  ScribbleOverPanel();
  Press(WM_MBUTTONUP, RowOf(L"Alpha.exe"));
  EXPECT_EQ(W().Text1().Text(), L"?") << "the late release is not handled a second time";
  EXPECT_EQ(W().CommandMenuOpenings(), 0);
}

TEST_F(ListEventsTest, RightClickWhoseReleaseTheListTakesOpensTheMenuOnce) {
  PutThreeRows();
  SelectRow(L"Alpha.exe");
  ScribbleOverPanel();
  MenuCloser closer;
  // The list's drag detection reads the release that is waiting in the queue.
  PostRelease(WM_RBUTTONUP, RowOf(L"Beta.exe"));
  Press(WM_RBUTTONDOWN, RowOf(L"Beta.exe"));
  EXPECT_EQ(List().Text(List().SelectedIndex()), L"Beta.exe");
  EXPECT_TRUE(PanelShows(L"Beta.exe"));
  Pump();
  EXPECT_EQ(W().CommandMenuOpenings(), 1);
  EXPECT_EQ(MenuLoops(), 1) << "the list's own context-menu request opens nothing more";
}

TEST_F(ListEventsTest, RightClickWhoseReleaseArrivesLaterOpensTheMenuOnRelease) {
  PutThreeRows();
  SelectRow(L"Alpha.exe");
  MenuCloser closer;
  Hold(VK_RBUTTON, true);
  // Losing the capture ends the list's drag detection without a release.
  PostMessageW(ListHandle(), WM_CANCELMODE, 0, 0);
  Press(WM_RBUTTONDOWN, RowOf(L"Gamma.exe"));
  EXPECT_TRUE(PanelShows(L"Gamma.exe"));
  EXPECT_EQ(W().CommandMenuOpenings(), 0) << "the button is still down";

  ScribbleOverPanel();
  Hold(VK_RBUTTON, false);
  Press(WM_RBUTTONUP, RowOf(L"Gamma.exe"));
  EXPECT_TRUE(PanelShows(L"Gamma.exe"));
  EXPECT_EQ(W().CommandMenuOpenings(), 1);
  EXPECT_EQ(MenuLoops(), 1);
}

// A command lets pending events run; input reaching the list meanwhile must not reload the
// panel the command works on, move the selection or open the menu.
TEST_F(ListEventsTest, InputToTheListChangesNothingWhileACommandRuns) {
  PutThreeRows();
  SelectRowOnly(L"Alpha.exe");
  MenuCloser closer;
  W().SetCommandHandler([this](Command) {
    ScribbleOverPanel();
    KeyPress(VK_APPS);
    KeyPress(VK_END);
    Press(WM_LBUTTONDOWN, RowOf(L"Gamma.exe"));
    Press(WM_LBUTTONUP, RowOf(L"Gamma.exe"));
  });
  ASSERT_TRUE(W().RunCommand(Command::Ausführen));
  EXPECT_EQ(W().Text1().Text(), L"?") << "the panel was reloaded during the command";
  EXPECT_EQ(List().SelectedIndex(), RowOf(L"Alpha.exe"));
  EXPECT_EQ(W().CommandMenuOpenings(), 0);
  EXPECT_EQ(MenuLoops(), 0);
}

// ---- Mouse move ----

TEST_F(ListEventsTest, MovingOverTheRowsHidesAWidenedKeynameColumnAgain) {
  PutThreeRows();
  ASSERT_TRUE(List().SetColumnWidth(1, 80));
  ASSERT_EQ(List().ColumnWidth(1), 80);
  SendMessageW(ListHandle(), WM_MOUSEMOVE, 0, PointOnRow(0));
  EXPECT_EQ(List().ColumnWidth(1), 0);
  EXPECT_GT(List().ColumnWidth(0), 0) << "the other columns stay as they are";

  ASSERT_TRUE(List().SetColumnWidth(1, 1));
  SendMessageW(ListHandle(), WM_MOUSEMOVE, 0, PointOnRow(1));
  EXPECT_EQ(List().ColumnWidth(1), 0);
}

}  // namespace
