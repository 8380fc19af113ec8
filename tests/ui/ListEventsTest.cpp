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
    Text1().SetText(L"?");
    Text2().SetText(L"?");
    Text3().SetText(L"?");
  }

  bool PanelShows(const std::wstring& row) {
    const int index = RowOf(row);
    return index >= 0 && Text1().Text() == row &&
           Text2().Text() == List().Text(index, 2) &&
           Text3().Text() == List().Text(index, 3);
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
  EXPECT_EQ(W().EntryList().SortColumn(), 2);
  EXPECT_TRUE(W().EntryList().SortColumn().has_value());
  NotifyFromList(LVN_COLUMNCLICK, 2);
  EXPECT_EQ(RowTexts(), (std::vector<std::wstring>{L"Gamma.exe", L"Beta.exe", L"Alpha.exe"}));

  NotifyFromList(LVN_COLUMNCLICK, 3);
  EXPECT_EQ(RowTexts(), (std::vector<std::wstring>{L"Gamma.exe", L"Alpha.exe", L"Beta.exe"}));
  EXPECT_EQ(W().EntryList().SortColumn(), 3);

  NotifyFromList(LVN_COLUMNCLICK, 0);
  EXPECT_EQ(RowTexts(), kByName);
  EXPECT_EQ(W().EntryList().SortColumn(), 0);

  NotifyFromList(LVN_COLUMNCLICK, 2);
  NotifyFromList(LVN_COLUMNCLICK, 1);
  EXPECT_EQ(RowTexts(), kByName);
  EXPECT_EQ(W().EntryList().SortColumn(), 1);
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
  EXPECT_EQ(W().EntryList().SortColumn(), 2);
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

// Keys and clicks that leave the selection where it is change nothing: the panel keeps what the
// user typed, and no label edit opens.
TEST_F(ListEventsTest, KeysAndClicksThatKeepTheSelectionChangeNothing) {
  PutThreeRows();
  SelectRow(L"Beta.exe");
  SetFocus(ListHandle());
  ScribbleOverPanel();
  for (WPARAM key : {VK_DELETE, VK_F2, VK_RETURN}) KeyPress(key);
  Press(WM_LBUTTONDOWN, RowOf(L"Beta.exe"));
  Press(WM_LBUTTONUP, RowOf(L"Beta.exe"));
  EXPECT_EQ(Text2().Text(), L"?");
  EXPECT_EQ(SendMessageW(ListHandle(), LVM_GETEDITCONTROL, 0, 0), 0);
  EXPECT_EQ(RowTexts(), kByName);
  EXPECT_EQ(W().CommandMenuOpenings(), 0);
}

TEST_F(ListEventsTest, ClickOnAnotherRowLoadsIt) {
  PutThreeRows();
  SelectRow(L"Alpha.exe");
  Press(WM_LBUTTONDOWN, RowOf(L"Gamma.exe"));
  Press(WM_LBUTTONUP, RowOf(L"Gamma.exe"));
  EXPECT_EQ(List().Text(List().SelectedIndex()), L"Gamma.exe");
  EXPECT_TRUE(PanelShows(L"Gamma.exe"));
  EXPECT_EQ(MenuLoops(), 0);
}

TEST_F(ListEventsTest, LeftClickLoadsTheRowWithItsValuesEditable) {
  PutThreeRows();
  Hold(VK_LBUTTON, true);
  Press(WM_LBUTTONDOWN, RowOf(L"Beta.exe"));
  Hold(VK_LBUTTON, false);
  Press(WM_LBUTTONUP, RowOf(L"Beta.exe"));
  EXPECT_TRUE(PanelShows(L"Beta.exe"));
  EXPECT_TRUE(Text1().Locked());
  EXPECT_FALSE(Text3().Locked());
}

// ---- The context menu ----

// The menu key and Shift+F10 open the menu once, at the selected row.
TEST_F(ListEventsTest, KeyboardOpensTheMenuAtTheSelectedRow) {
  PutThreeRows();
  SelectRow(L"Gamma.exe");
  SetFocus(ListHandle());
  RECT row{};
  row.left = LVIR_LABEL;
  SendMessageW(ListHandle(), LVM_GETITEMRECT, RowOf(L"Gamma.exe"), reinterpret_cast<LPARAM>(&row));
  POINT expected{row.left, row.bottom};
  ClientToScreen(ListHandle(), &expected);
  MenuCloser closer;

  // Real keystrokes: the system turns them into the context-menu request.
  ShowWindow(W().Handle(), SW_SHOW);
  SetForegroundWindow(W().Handle());
  SetFocus(ListHandle());
  const auto press = [](std::initializer_list<BYTE> keys) {
    for (BYTE key : keys) keybd_event(key, 0, 0, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
      keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
    for (int i = 0; i < 20; ++i, Sleep(5)) Pump();
  };
  press({VK_APPS});
  press({VK_SHIFT, VK_F10});

  EXPECT_EQ(W().CommandMenuOpenings(), 2);
  EXPECT_EQ(MenuLoops(), 2);
  EXPECT_EQ(W().LastCommandMenuPoint().x, expected.x);
  EXPECT_EQ(W().LastCommandMenuPoint().y, expected.y);
}

// A right click selects the row under the pointer, loads it and opens the menu once.
TEST_F(ListEventsTest, RightClickSelectsTheRowAndOpensTheMenuOnce) {
  PutThreeRows();
  SelectRow(L"Alpha.exe");
  MenuCloser closer;
  // The list's drag detection reads the release that is waiting in the queue.
  PostRelease(WM_RBUTTONUP, RowOf(L"Beta.exe"));
  Press(WM_RBUTTONDOWN, RowOf(L"Beta.exe"));
  Pump();
  EXPECT_EQ(List().Text(List().SelectedIndex()), L"Beta.exe");
  EXPECT_TRUE(PanelShows(L"Beta.exe"));
  EXPECT_EQ(W().CommandMenuOpenings(), 1);
  EXPECT_EQ(MenuLoops(), 1);
}

// ---- The hidden column ----

TEST_F(ListEventsTest, OnlyTheKeynameColumnRefusesToBeWidened) {
  PutThreeRows();
  const HWND header = ListView_GetHeader(ListHandle());
  for (const UINT code : {HDN_BEGINTRACKW, HDN_DIVIDERDBLCLICKW}) {
    for (int column = 0; column < 4; ++column) {
      NMHEADERW info{};
      info.hdr.hwndFrom = header;
      info.hdr.idFrom = GetDlgCtrlID(header);
      info.hdr.code = code;
      info.iItem = column;
      const LRESULT refused = SendMessageW(W().Handle(), WM_NOTIFY, info.hdr.idFrom,
                                           reinterpret_cast<LPARAM>(&info));
      EXPECT_EQ(refused != 0, column == EntryListView::kColumnKeyname) << code << " " << column;
    }
  }
}

// ---- The panel from the list ----

TEST_F(ListEventsTest, LoadSelectedRowCopiesTheSelectedRowAndLocksTheFileName) {
  PutRegistration(L"A.EXE", L"C:\\A.exe", L"C:\\dir0");
  PutRegistration(L"B.EXE", L"C:\\B.exe", L"C:\\dir1");
  OpenWindow();
  ListView& list = root_->EntryList().LstFileList();
  root_->Panel().SetMode(PanelMode::NewEntry);
  Text3().SetLocked(true);
  ASSERT_TRUE(list.Select(RowOf(L"B.exe")));
  root_->LoadSelectedRow();
  EXPECT_EQ(Text1().Text(), L"B.exe");
  EXPECT_EQ(Text2().Text(), L"C:\\B.exe");
  EXPECT_EQ(Text3().Text(), L"C:\\dir1");
  EXPECT_TRUE(Text1().Locked());
  EXPECT_FALSE(Text3().Locked());  // the row may be changed: its Path too

  // No selected row: the boxes keep their texts, the file name is locked all the same.
  root_->Panel().SetMode(PanelMode::NewEntry);
  ASSERT_TRUE(list.Select(-1));
  root_->LoadSelectedRow();
  EXPECT_EQ(Text1().Text(), L"B.exe");
  EXPECT_TRUE(Text1().Locked());
}

TEST_F(ListEventsTest, LoadSelectedRowDoesNothingOnAnEmptyList) {
  ASSERT_TRUE(Create(false));
  root_->Panel().SetMode(PanelMode::NewEntry);
  Text1().SetText(L"Neuer Eintrag");
  root_->LoadSelectedRow();
  EXPECT_FALSE(Text1().Locked());
  EXPECT_EQ(Text1().Text(), L"Neuer Eintrag");
}

TEST_F(ListEventsTest, DoubleClickOnTheListLoadsTheRow) {
  PutRegistration(L"DBL.EXE", L"C:\\dbl.exe");
  OpenWindow();
  ListView& list = root_->EntryList().LstFileList();
  const int row = RowOf(L"Dbl.exe");
  list.Select(row);
  Text1().SetText(L"?");
  NMITEMACTIVATE click{};
  click.hdr.hwndFrom = list.Handle();
  click.hdr.idFrom = Root::kLstFileList;
  click.hdr.code = NM_DBLCLK;
  click.iItem = row;
  SendMessageW(root_->Handle(), WM_NOTIFY, Root::kLstFileList, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(Text1().Text(), L"Dbl.exe");
  EXPECT_EQ(Text2().Text(), L"C:\\dbl.exe");
}

TEST_F(ListEventsTest, FocusComesBackToTheControlThatHadIt) {
  ASSERT_TRUE(Create(false));
  const HWND hwnd = root_->Handle();
  SetFocus(hwnd);
  EXPECT_EQ(GetFocus(), root_->EntryList().LstFileList().Handle());  // nothing remembered: the list

  SetFocus(Text2().Handle());
  SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  SetFocus(hwnd);
  EXPECT_EQ(GetFocus(), Text2().Handle());

  // A control that can no longer take it hands over to the list.
  SetFocus(root_->Panel().BDateiname().Handle());
  SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
  root_->Panel().BDateiname().SetEnabled(false);
  SetFocus(hwnd);
  EXPECT_EQ(GetFocus(), root_->EntryList().LstFileList().Handle());
}

}  // namespace
