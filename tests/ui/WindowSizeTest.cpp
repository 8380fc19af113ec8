// The window's size on the real controls: a larger window gives the room to the list and the
// panel's boxes, size, place and columns come back after a restart, a row's tip shows its cut-off
// cells, and the menu greys what cannot work.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "ui/PanelWindowFixture.h"

namespace {

using Edges = std::vector<LONG>;

class WindowSizeTest : public PanelWindowFixture {
 protected:
  Edges EdgesOf(HWND window, HWND in = HWND_DESKTOP) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, in, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
  }
};

// The list takes the extra width and height, its columns keep their proportions; the panel
// moves down, its boxes grow in width and the buttons beside them move along; the legend stays.
TEST_F(WindowSizeTest, AResizeGivesTheRoomToTheListAndTheBoxes) {
  ASSERT_TRUE(Create(false));
  const int ids[] = {Root::kLstFileList, Root::kText2, Root::kBHinzufügen, Root::kLabel1};
  const LONG moves[][4] = {{0, 0, 200, 150}, {0, 150, 200, 150}, {200, 150, 200, 150}, {}};
  std::vector<Edges> before;
  for (const int id : ids) before.push_back(EdgesOf(W().Control(id), W().Handle()));
  const std::vector<int> widths = W().EntryList().ColumnWidths();
  const Edges frame = EdgesOf(W().Handle());
  SetWindowPos(W().Handle(), nullptr, 0, 0, frame[2] - frame[0] + 200, frame[3] - frame[1] + 150,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (size_t i = 0; i < std::size(ids); ++i) {
    Edges expected = before[i];
    for (size_t edge = 0; edge < 4; ++edge) expected[edge] += moves[i][edge];
    EXPECT_EQ(EdgesOf(W().Control(ids[i]), W().Handle()), expected) << ids[i];
  }
  const int list = before[0][2] - before[0][0];
  for (size_t column = 0; column < widths.size(); ++column)
    EXPECT_LE(std::abs(List().ColumnWidth(static_cast<int>(column)) -
                       widths[column] * (list + 200) / list), 1) << column;
}

// Size, place, column widths and order are the user's; a place on a screen that is gone is not.
TEST_F(WindowSizeTest, SizePlaceAndColumnsComeBackAfterARestart) {
  ASSERT_TRUE(Create(false));
  const Edges first = EdgesOf(W().Handle());
  SetWindowPos(W().Handle(), nullptr, 30, 40, 800, 700, SWP_NOZORDER | SWP_NOACTIVATE);
  const int order[] = {0, 3, 2, 4, 5, 6, 7, 8, 1};
  List().SetColumnWidth(EntryListView::kColumnInstallation, 333);
  List().SetColumnOrder(order, static_cast<int>(std::size(order)));
  const std::vector<int> widths = W().EntryList().ColumnWidths();
  root_.reset();
  ASSERT_TRUE(Create(false));
  EXPECT_EQ(EdgesOf(W().Handle()), Edges({30, 40, 830, 740}));
  EXPECT_EQ(W().EntryList().ColumnWidths(), widths);
  EXPECT_EQ(List().ColumnOrder(), std::vector<int>(std::begin(order), std::end(order)));
  root_.reset();
  const wchar_t gone[] = L"-30000,-30000,-29000,-29300,0";
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"WindowPlacement", REG_SZ, gone, sizeof(gone));
  ASSERT_TRUE(Create(false));
  EXPECT_EQ(EdgesOf(W().Handle()), first);
}

// The tip names the cells their columns cut off, whole; a row that fits has none.
TEST_F(WindowSizeTest, ARowsTipShowsItsCutOffCellsWhole) {
  const std::wstring longPath(L"C:\\" + std::wstring(80, L'x') + L"\\lang.exe");
  PutRegistration(L"LANG.EXE", longPath.c_str(), L"C:\\K;");
  PutRegistration(L"K.EXE", L"C:\\k.exe");
  OpenWindow();
  for (const auto& [row, tip] : {std::pair{L"Lang.exe", L"Installation: " + longPath},
                                 std::pair{L"K.exe", std::wstring()}}) {
    wchar_t buffer[INFOTIPSIZE] = L"the row's own text";
    NMLVGETINFOTIPW info{{ListHandle(), Root::kLstFileList, LVN_GETINFOTIPW}, 0, buffer,
                         INFOTIPSIZE, RowOf(row), 0, 0};
    SendMessageW(W().Handle(), WM_NOTIFY, Root::kLstFileList, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(buffer, tip);
  }
}

// With no row only what needs none; on a protected name neither "Löschen" nor "Umbenennen";
// "Rückgängig" greyed by the same rule while nothing was changed.
TEST_F(WindowSizeTest, TheMenuGreysWhatCannotWork) {
  PutRegistration(L"SETUP.EXE", L"C:\\setup.exe");
  OpenWindow();
  for (const auto& [row, expected] :
       {std::pair{-1, L"-+-----+++++--+"}, std::pair{0, L"-++-++-++++++++"}}) {
    List().Select(row);
    {
      MenuCloser closer;
      SendMessageW(W().Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ListHandle()),
                   MAKELPARAM(10, 10));
    }
    // Rückgängig (nothing to take back), Hinzufügen, ..., Aktualisieren, the two jumps, the
    // hiding; no separators
    EXPECT_EQ(MenuStates(), expected);
  }
}

// The keyboard reaches every item of the menu by a letter of its own.
TEST_F(WindowSizeTest, EveryMenuItemHasAnAccessKeyOfItsOwn) {
  OpenWindow();
  const HMENU menu = W().CommandMenu();
  std::wstring keys;
  for (int item = 0; item < GetMenuItemCount(menu); ++item) {
    wchar_t text[256] = {};
    if (GetMenuStringW(menu, static_cast<UINT>(item), text, 256, MF_BYPOSITION) == 0) continue;
    const std::wstring caption(text);
    size_t at = caption.find(L'&');
    while (at != std::wstring::npos && caption[at + 1] == L'&') at = caption.find(L'&', at + 2);
    ASSERT_NE(at, std::wstring::npos) << Narrow(caption);
    const wchar_t key = static_cast<wchar_t>(towlower(caption[at + 1]));
    EXPECT_EQ(keys.find(key), std::wstring::npos) << Narrow(caption);
    keys += key;
  }
  EXPECT_GE(keys.size(), 15u);
}

}  // namespace
