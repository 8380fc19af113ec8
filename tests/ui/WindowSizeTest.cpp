// The window's size on the real controls: a larger window gives the room to the list and the
// panel's boxes, the size, place and columns come back after a restart, a row's cut-off cells
// show whole in its tip, and the menu greys what cannot work.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ui/PanelWindowFixture.h"
#include "ui/Texts.h"

namespace {

class WindowSizeTest : public PanelWindowFixture {
 protected:
  RECT RectOf(int id) {
    RECT r{};
    GetWindowRect(W().Control(id), &r);
    MapWindowPoints(HWND_DESKTOP, W().Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  RECT WindowRect() {
    RECT r{};
    GetWindowRect(W().Handle(), &r);
    return r;
  }
  void Resize(int dx, int dy) {
    const RECT r = WindowRect();
    SetWindowPos(W().Handle(), nullptr, r.left, r.top, r.right - r.left + dx,
                 r.bottom - r.top + dy, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  std::wstring Tip(int row) {
    wchar_t buffer[INFOTIPSIZE] = L"the row's own text";
    NMLVGETINFOTIPW tip{};
    tip.hdr = {ListHandle(), static_cast<UINT_PTR>(Root::kLstFileList), LVN_GETINFOTIPW};
    tip.pszText = buffer;
    tip.cchTextMax = INFOTIPSIZE;
    tip.iItem = row;
    SendMessageW(W().Handle(), WM_NOTIFY, Root::kLstFileList, reinterpret_cast<LPARAM>(&tip));
    return buffer;
  }
};

// The list takes the extra width and height, its columns keep their proportions; the panel
// below it moves down, its boxes grow in width and the buttons beside them move along; the
// legend stays, and so does the count under the panel.
TEST_F(WindowSizeTest, AResizeGivesTheRoomToTheListAndTheBoxes) {
  ASSERT_TRUE(Create(false));
  const int ids[] = {Root::kLstFileList, Root::kText2, Root::kBHinzufügen, Root::kLabel1,
                     Root::kLabel5, Root::kLabFileError, Root::kFrame1, Root::kLabStatus};
  std::vector<RECT> before;
  for (const int id : ids) before.push_back(RectOf(id));
  const std::vector<int> widths = W().LstFileList().ColumnWidths();
  const int listWidth = before[0].right - before[0].left;

  Resize(200, 150);
  const auto moved = [&](int i, int dx, int dy, int grownX, int grownY) {
    const RECT now = RectOf(ids[i]);
    EXPECT_EQ(now.left, before[i].left + dx) << ids[i];
    EXPECT_EQ(now.top, before[i].top + dy) << ids[i];
    EXPECT_EQ(now.right, before[i].right + dx + grownX) << ids[i];
    EXPECT_EQ(now.bottom, before[i].bottom + dy + grownY) << ids[i];
  };
  moved(0, 0, 0, 200, 150);    // the list
  moved(1, 0, 150, 200, 0);    // the installation box, in the panel under the list
  moved(2, 200, 150, 0, 0);    // OK
  moved(3, 0, 0, 0, 0);        // the legend
  moved(4, 0, 150, 0, 0);      // the panel's label
  moved(5, 0, 150, 0, 0);      // the count
  moved(6, 0, 150, 200, 0);    // the panel
  moved(7, 0, 150, 200, 0);    // its status line
  const std::vector<int> scaled = W().LstFileList().ColumnWidths();
  ASSERT_EQ(scaled.size(), widths.size());
  for (size_t column = 0; column < widths.size(); ++column)
    EXPECT_LE(std::abs(scaled[column] - widths[column] * (listWidth + 200) / listWidth), 1)
        << column;
  EXPECT_EQ(scaled[Root::kColumnKeyname], 0);
}

// Size, place, column widths and order are the user's; a place on a screen that is gone is not.
TEST_F(WindowSizeTest, SizePlaceAndColumnsComeBackAfterARestart) {
  ASSERT_TRUE(Create(false));
  SetWindowPos(W().Handle(), nullptr, 30, 40, 800, 620, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(W().LstFileList().SetColumnWidth(Root::kColumnInstallation, 333));
  ASSERT_TRUE(W().LstFileList().SetColumnOrder({0, 3, 2, 4, 1}));
  const RECT window = WindowRect();
  const std::vector<int> widths = W().LstFileList().ColumnWidths();

  root_.reset();
  ASSERT_TRUE(Create(false));
  const RECT again = WindowRect();
  EXPECT_EQ(again.left, window.left);
  EXPECT_EQ(again.top, window.top);
  EXPECT_EQ(again.right, window.right);
  EXPECT_EQ(again.bottom, window.bottom);
  EXPECT_EQ(W().LstFileList().ColumnWidths(), widths);
  EXPECT_EQ(W().LstFileList().ColumnOrder(), (std::vector<int>{0, 3, 2, 4, 1}));

  root_.reset();
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  const wchar_t gone[] = L"-30000,-30000,-29000,-29300,0";
  RegSetValueExW(key, L"WindowPlacement", 0, REG_SZ, reinterpret_cast<const BYTE*>(gone),
                 sizeof(gone));
  RegCloseKey(key);
  ASSERT_TRUE(Create(false));
  const RECT centred = WindowRect();
  const RECT first = WindowRect();
  MONITORINFO monitor{sizeof(monitor)};
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(W().Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor));
  EXPECT_LE(std::abs((centred.left + centred.right) - (monitor.rcWork.left + monitor.rcWork.right)), 2);
  MINMAXINFO least{};
  SendMessageW(W().Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&least));
  EXPECT_EQ(first.right - first.left, least.ptMinTrackSize.x) << "as the first time";
}

// The tip names the cells their columns cut off, whole; a row that fits has none.
TEST_F(WindowSizeTest, ARowsTipShowsItsCutOffCellsWhole) {
  const std::wstring longPath = L"C:\\Programme\\Ein sehr langer Ordnername\\noch einer\\und "
                                L"noch einer\\Werkzeug mit langem Namen.exe";
  PutRegistration(L"LANG.EXE", longPath.c_str(), L"C:\\K;");
  PutRegistration(L"K.EXE", L"C:\\k.exe");
  OpenWindow();
  const std::wstring cut = std::wstring(Texts::kHeaderInstallation) + L": " + longPath;
  const std::wstring tip = Tip(RowOf(L"Lang.exe"));
  EXPECT_EQ(tip.substr(0, cut.size()), cut);
  EXPECT_EQ(tip.find(L"C:\\K;"), std::wstring::npos) << "a cell that fits is not repeated";
  EXPECT_EQ(Tip(RowOf(L"K.exe")), L"");
}

// No row: only what needs none; a protected name cannot be deleted or renamed. Every item has
// its access key, and the shortcuts stand beside theirs.
TEST_F(WindowSizeTest, TheMenuGreysWhatCannotWorkAndShowsItsKeys) {
  PutRegistration(L"SETUP.EXE", L"C:\\setup.exe");
  PutRegistration(L"TOOL.EXE", L"C:\\tool.exe");
  OpenWindow();
  const auto greyed = [&](const wchar_t* row) {
    if (row == nullptr)
      EXPECT_TRUE(List().Select(-1));
    else
      SelectRow(row);
    {
      MenuCloser closer;
      W().ShowCommandMenu({10, 10});
    }
    std::vector<int> ids;
    for (const int id : {Root::kMnuHinzufügen, Root::kMnuBearbeiten, Root::kMnuUmbenennen,
                         Root::kMnuExportieren, Root::kMnuAusführen, Root::kMnuLöschen})
      if (GetMenuState(W().CommandMenu(), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED)
        ids.push_back(id);
    return ids;
  };
  EXPECT_EQ(greyed(nullptr), (std::vector<int>{Root::kMnuBearbeiten, Root::kMnuUmbenennen,
                                                Root::kMnuExportieren, Root::kMnuAusführen,
                                                Root::kMnuLöschen}));
  EXPECT_EQ(greyed(L"Setup.exe"), (std::vector<int>{Root::kMnuUmbenennen, Root::kMnuLöschen}));
  EXPECT_EQ(greyed(L"Tool.exe"), std::vector<int>{});

  wchar_t caption[64] = {};
  GetMenuStringW(W().CommandMenu(), Root::kMnuLöschen, caption, 64, MF_BYCOMMAND);
  EXPECT_STREQ(caption, L"&Löschen\tEntf");
  const int count = GetMenuItemCount(W().CommandMenu());
  for (int item = 0; item < count; ++item) {
    if (GetMenuStringW(W().CommandMenu(), static_cast<UINT>(item), caption, 64, MF_BYPOSITION) == 0)
      continue;  // a separator
    EXPECT_NE(std::wstring(caption).find(L'&'), std::wstring::npos) << item;
  }
}

}  // namespace
