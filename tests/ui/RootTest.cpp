// The main window on the real controls, the real registry of the throwaway prefix and Wine's
// own regedit.exe. Windows stay hidden; prompts are answered by script.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <atomic>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Others.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"
#include "support/RootFixture.h"
#include "support/RealMachineKey.h"
#include "texts/Texts.h"

namespace {

namespace fs = std::filesystem;

int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

std::wstring Text(HWND hwnd) { return WindowText(hwnd); }

class RootTest : public RootFixture {
 protected:
  // The control's rectangle relative to the client area of `container` (the window itself
  // when nullptr).
  RECT RectIn(int id, HWND container = nullptr) const {
    RECT r{};
    GetWindowRect(root_->Control(id), &r);
    MapWindowPoints(HWND_DESKTOP, container ? container : root_->Handle(),
                    reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  UINT Dpi() const {
    const UINT dpi = GetDpiForWindow(root_->Handle());
    return dpi == 0 ? 96 : dpi;
  }

};

// ---- The window and its controls ----

// It opens at its smallest size, centred; it can be resized and maximised, not made smaller.
TEST_F(RootTest, WindowIsAResizableCentredFrameNamedVelmarin) {
  ASSERT_TRUE(Create(false));
  const HWND hwnd = root_->Handle();
  EXPECT_EQ(root_->Caption(), L"Velmarin");
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  EXPECT_NE(style & WS_MAXIMIZEBOX, 0u);
  EXPECT_NE(style & WS_THICKFRAME, 0u);
  EXPECT_NE(style & WS_CAPTION, 0u);
  EXPECT_EQ(GetMenu(hwnd), nullptr);

  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, Scaled(575, Dpi()));
  EXPECT_EQ(client.bottom, Scaled(594, Dpi()));  // the panel holds the program's details

  RECT window{};
  GetWindowRect(hwnd, &window);
  MINMAXINFO limits{};
  SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.y, window.bottom - window.top);
  MONITORINFO monitor{sizeof(monitor)};
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor));
  const RECT& area = monitor.rcWork;
  EXPECT_LE(std::abs((window.left + window.right) - (area.left + area.right)), 2);
  EXPECT_LE(std::abs((window.top + window.bottom) - (area.top + area.bottom)), 2);
}

// Neither cut off nor wrapped: each caption fits its label on one line, and the legend's
// labels do not run into the next picture.
TEST_F(RootTest, EveryLabelIsWideEnoughForItsCaption) {
  ASSERT_TRUE(Create(false));
  for (int id : {Root::kLabel1, Root::kLabel2, Root::kLabel3, Root::kLabelSettings,
                 Root::kLabelHidden, Root::kLabelUnreachable, Root::kLabel4, Root::kLabel5,
                 Root::kLabel6, Root::kLabFileError}) {
    const HWND label = root_->Control(id);
    const HDC dc = GetDC(label);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT needed{};
    const std::wstring text = Text(label);
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    const RECT r = RectIn(id);
    EXPECT_GE(r.right - r.left, needed.right) << id;
    EXPECT_GE(r.bottom - r.top, needed.bottom) << id;
  }
  EXPECT_LE(RectIn(Root::kLabel1).right, RectIn(Root::kPicture2).left);
  EXPECT_LE(RectIn(Root::kLabel2).right, RectIn(Root::kPicture3).left);
  EXPECT_LE(RectIn(Root::kLabel3).right, RectIn(Root::kPicture4).right);
  EXPECT_LE(RectIn(Root::kLabelSettings).right, RectIn(Root::kPictureHidden).left);
  EXPECT_LE(RectIn(Root::kLabelHidden).right, RectIn(Root::kPictureUnreachable).left);
  EXPECT_LE(RectIn(Root::kLabelUnreachable).right, RectIn(Root::kPicture4).right);
  EXPECT_GE(RectIn(Root::kLabel6).left, RectIn(Root::kFrame1).left);
}

TEST_F(RootTest, BrokenCountLabelIsInsideTheWindowAndWideEnoughForItsCaption) {
  ASSERT_TRUE(Create(false));
  const RECT label = RectIn(Root::kLabFileError);
  EXPECT_EQ(label.left, Scaled(6, Dpi()));
  EXPECT_EQ(label.top, Scaled(574, Dpi()));
  RECT client{};
  GetClientRect(root_->Handle(), &client);
  EXPECT_LE(label.right, client.right);
  EXPECT_LE(label.bottom, client.bottom);
  EXPECT_GE(label.top, RectIn(Root::kFrame1).bottom);

  // The widest caption a large catalogue produces fits on one line.
  const HWND hwnd = root_->LabFileError();
  const HDC dc = GetDC(hwnd);
  const auto old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
  const std::wstring widest = Texts::CheckingCaption(88888, 88888);
  SIZE extent{};
  GetTextExtentPoint32W(dc, widest.c_str(), static_cast<int>(widest.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  EXPECT_LE(extent.cx, label.right - label.left);
  EXPECT_LE(extent.cy, label.bottom - label.top);
}

// A new window: only the installation box takes typing, the cache list is never shown, and the
// legend shows its pictures.
TEST_F(RootTest, ControlsStartReadOnlyExceptTheInstallation) {
  ASSERT_TRUE(Create(false));
  EXPECT_TRUE(Text1().Locked());
  EXPECT_FALSE(Text2().Locked());
  EXPECT_TRUE(Text3().Locked());
  EXPECT_FALSE(GetWindowLongPtrW(root_->EntryList().LstFileCache().Handle(), GWL_STYLE) & WS_VISIBLE);
  for (int id : {Root::kPicture1, Root::kPicture2, Root::kPicture3, Root::kPictureSettings,
                 Root::kPictureHidden, Root::kPictureUnreachable})
    EXPECT_NE(SendMessageW(root_->Control(id), STM_GETICON, 0, 0), 0) << id;
}

TEST_F(RootTest, TabOrderRunsFromTheListThroughThePanel) {
  ASSERT_TRUE(Create(false));
  const HWND hwnd = root_->Handle();
  const std::vector<int> order = {Root::kLstFileList, Root::kText1,       Root::kText2,
                                  Root::kBDateiname,  Root::kText3,       Root::kBHinzufügen,
                                  Root::kLstFileList};
  for (size_t i = 0; i + 1 < order.size(); ++i)
    EXPECT_EQ(GetNextDlgTabItem(hwnd, root_->Control(order[i]), FALSE),
              root_->Control(order[i + 1]))
        << "after " << order[i];
  EXPECT_EQ(GetNextDlgTabItem(hwnd, root_->Control(Root::kLstFileList), TRUE),
            root_->Panel().BHinzufügen().Handle());
  // A label's access key leads to the box after it.
  EXPECT_EQ(GetNextDlgTabItem(hwnd, root_->Control(Root::kLabel4), FALSE), Text1().Handle());
  EXPECT_EQ(GetNextDlgTabItem(hwnd, root_->Control(Root::kLabel5), FALSE), Text2().Handle());
  EXPECT_EQ(GetNextDlgTabItem(hwnd, root_->Control(Root::kLabel6), FALSE), Text3().Handle());
}

TEST_F(RootTest, EntryListKeepsTheKeynameColumnHiddenAndLast) {
  ASSERT_TRUE(Create(false));
  ListView& list = root_->EntryList().LstFileList();
  const int columns = list.ColumnCount();
  ASSERT_GT(columns, EntryListView::kColumnScope);
  EXPECT_EQ(list.ColumnWidth(EntryListView::kColumnKeyname), 0);
  std::vector<int> order(static_cast<size_t>(columns));
  ASSERT_TRUE(SendMessageW(list.Handle(), LVM_GETCOLUMNORDERARRAY, order.size(),
                           reinterpret_cast<LPARAM>(order.data())));
  EXPECT_EQ(order.back(), EntryListView::kColumnKeyname);

  const auto style = GetWindowLongPtrW(list.Handle(), GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_NE(style & LVS_SINGLESEL, 0);
  EXPECT_EQ(style & LVS_EDITLABELS, 0);  // row texts change only through the commands
}

// ---- The list from the registry ----

TEST_F(RootTest, GetFileListeMakesOneRowPerRegistrationWithItsStatus) {
  const std::wstring tool = MakeFile(L"tool.exe");
  PutRegistration(L"TOOL.EXE", tool.c_str(), L"C:\\Tools;");
  PutRegistration(L"ARGS.EXE", (tool.substr(0, tool.size() - 4) + L".EXE /n").c_str());
  PutRegistration(L"QUOTED.EXE", (L"\"" + tool + L"\"").c_str());
  PutRegistration(L"FOLDER.EXE", folder_.wstring().c_str());
  PutRegistration(L"GONE.EXE", (folder_ / L"gone.exe").wstring().c_str(), L"C:\\Gone");
  PutRegistration(L"EMPTY.EXE", nullptr);
  PutRegistration(L"a.EXE", tool.c_str());
  ASSERT_TRUE(Create(false));

  FillList();
  EXPECT_EQ(root_->EntryList().LstFileCache().Count(), 7);
  ListView& list = root_->EntryList().LstFileList();
  ASSERT_EQ(list.Count(), 7);
  EXPECT_EQ(root_->EntryList().LstFileCache().SelectedIndex(), 6);

  const int t = RowOf(L"Tool.exe");
  ASSERT_GE(t, 0);
  EXPECT_EQ(list.Text(t, 1), L"TOOL.EXE");
  EXPECT_EQ(list.Text(t, 2), tool);
  EXPECT_EQ(list.Text(t, 3), L"C:\\Tools;");
  EXPECT_EQ(ImageKey(t), L"Ready");

  EXPECT_EQ(ImageKey(RowOf(L"Args.exe")), L"Ready");
  EXPECT_EQ(list.Text(RowOf(L"Args.exe"), 2), tool.substr(0, tool.size() - 4) + L".EXE /n");
  EXPECT_EQ(ImageKey(RowOf(L"Quoted.exe")), L"Ready");
  EXPECT_EQ(list.Text(RowOf(L"Quoted.exe"), 2), L"\"" + tool + L"\"");
  EXPECT_EQ(ImageKey(RowOf(L"Folder.exe")), L"Ready");
  EXPECT_EQ(ImageKey(RowOf(L"Gone.exe")), L"Achtung");
  EXPECT_EQ(list.Text(RowOf(L"Gone.exe"), 3), L"C:\\Gone");
  EXPECT_EQ(ImageKey(RowOf(L"Empty.exe")), L"Fehler");
  EXPECT_EQ(list.Text(RowOf(L"Empty.exe"), 2), L"");
  const int a = RowOf(L"A.exe");
  ASSERT_GE(a, 0);
  EXPECT_EQ(list.Text(a, 1), L"a.EXE");

  EXPECT_EQ(Text(root_->LabFileError()), L" 2 Fehlerhafte Einträge");
}

// A key shaped like a stock Windows machine's, every named program on disk: nothing is broken,
// and the keys that carry only settings show as such.
TEST_F(RootTest, StockMachineKeyShowsNothingBroken) {
  const std::vector<StockRegistration> stock = PutRealMachineKey();
  OpenWindow();
  ASSERT_EQ(root_->EntryList().LstFileList().Count(), static_cast<int>(stock.size()));
  for (const StockRegistration& entry : stock) {
    const int row = RowOf(FileNameFromKeyName(entry.key));
    EXPECT_EQ(ImageKey(row), entry.namesProgram ? L"Ready" : L"Info")
        << Narrow(entry.key);
  }
  EXPECT_EQ(Text(root_->LabFileError()), Texts::kNoBrokenEntries);
}

TEST_F(RootTest, BrokenCountSaysSoWhenNothingIsBroken) {
  PutRegistration(L"TOOL.EXE", MakeFile(L"tool.exe").c_str());
  ASSERT_TRUE(Create(false));
  ShowRows();
  EXPECT_EQ(Text(root_->LabFileError()), Texts::CheckingCaption(0, 1)) << "while it is tested";
  ASSERT_TRUE(Settle());
  EXPECT_EQ(root_->EntryList().LstFileList().Count(), 1);
  EXPECT_EQ(Text(root_->LabFileError()), Texts::kNoBrokenEntries);
}

TEST_F(RootTest, EmptyCatalogueGivesNoLinesAndNoRows) {
  ASSERT_TRUE(Create(false));
  Cache().Insert(0, L"OLD\t\t", 0);
  FillList();
  EXPECT_FALSE(root_->EntryList().GetFileCaches());
  EXPECT_EQ(Cache().Count(), 0);
  EXPECT_EQ(root_->EntryList().LstFileList().Count(), 0);
  EXPECT_EQ(Text(root_->LabFileError()), Texts::kNoBrokenEntries);
}

TEST_F(RootTest, GetFileListeShowsEachEntryOnce) {
  PutRegistration(L"ONE.EXE", nullptr);
  ASSERT_TRUE(Create(false));
  FillList();
  root_->EntryList().GetFileListe();
  EXPECT_EQ(root_->EntryList().LstFileList().Count(), 1);
}

// ---- Commands ----

TEST_F(RootTest, MenuItemsAndTheOkButtonReachTheCommandHandler) {
  PutRegistration(L"A.EXE", L"C:\\A.exe");
  OpenWindow();
  ASSERT_TRUE(root_->EntryList().LstFileList().Select(0));
  std::vector<Command> ran;
  root_->SetCommandHandler([&](Command c) { ran.push_back(c); });
  const HWND hwnd = root_->Handle();
  for (int id : {Root::kMnuHinzufügen, Root::kMnuUmbenennen, Root::kMnuExportieren,
                 Root::kMnuAusführen, Root::kMnuLöschen})
    SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(Root::kBHinzufügen, BN_CLICKED),
               reinterpret_cast<LPARAM>(root_->Panel().BHinzufügen().Handle()));
  // Bearbeiten is the window's own.
  SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(Root::kMnuBearbeiten, 0), 0);
  EXPECT_EQ(ran, (std::vector<Command>{Command::Hinzufügen, Command::Umbenennen,
                                       Command::Exportieren, Command::Ausführen, Command::Löschen,
                                       Command::Speichern}));
}

// Moved to a monitor of another DPI, the window keeps the column widths the user chose, scaled,
// and shows its icons at the new size.
TEST_F(RootTest, DpiChangeScalesColumnWidthsAndReloadsTheIcons) {
  ASSERT_TRUE(Create(false));
  const HWND hwnd = root_->Handle();
  const UINT before = Dpi();
  ListView& list = root_->EntryList().LstFileList();
  ASSERT_TRUE(list.SetColumnWidth(EntryListView::kColumnInstallation, 300));
  const int nameWidth = list.ColumnWidth(EntryListView::kColumnFileName);
  RECT suggested{};
  GetWindowRect(hwnd, &suggested);
  const UINT after = before * 2;
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(after, after), reinterpret_cast<LPARAM>(&suggested));

  EXPECT_EQ(list.ColumnWidth(EntryListView::kColumnInstallation), 600);
  EXPECT_EQ(list.ColumnWidth(EntryListView::kColumnFileName), nameWidth * 2);
  EXPECT_EQ(list.ColumnWidth(EntryListView::kColumnKeyname), 0);
  ICONINFO info{};
  const auto icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(bitmap.bmWidth, GetSystemMetricsForDpi(SM_CXSMICON, after));
}

TEST_F(RootTest, NoCommandRunsWithoutAHandler) {
  ASSERT_TRUE(Create(false));
  EXPECT_FALSE(root_->RunCommand(Command::Löschen));
  EXPECT_TRUE(root_->RunCommand(Command::Bearbeiten));
}

TEST_F(RootTest, ACommandThatThrowsIsReportedByNameAndTheWindowStaysUsable) {
  ASSERT_TRUE(Create(false));
  int calls = 0;
  root_->SetCommandHandler([&](Command) {
    if (++calls == 1) throw std::runtime_error("kaputt");
  });
  EXPECT_TRUE(root_->RunCommand(Command::Ausführen));
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, std::wstring(Texts::kUnexpectedError) + L"\n" +
                                           Texts::kFailedAction + L"Ausführen");
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(root_->RunCommand(Command::Ausführen));
  EXPECT_EQ(calls, 2);
}

// While the registry editor runs, the window is disabled (no input reaches it, closing waits)
// and still paints; afterwards it takes input again.
TEST_F(RootTest, WaitingForTheRegistryEditorDisablesTheWindowWhichStillPaints) {
  PutRegistration(L"TOOL.EXE", L"C:\\tool.exe");
  ASSERT_TRUE(Create(false));
  const HWND hwnd = root_->Handle();
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  std::atomic<bool> done{false};
  std::atomic<bool> seenDisabled{false};
  std::thread watcher([&] {
    while (!done) {
      if (!IsWindowEnabled(hwnd)) seenDisabled = true;
      Sleep(2);
    }
  });
  InvalidateRect(hwnd, nullptr, TRUE);
  PostMessageW(hwnd, WM_CLOSE, 0, 0);

  const bool written = root_->StartRegistryExport((folder_ / L"x.reg").wstring(),
                                                  L"HKEY_LOCAL_MACHINE\\" + KeyPath(L""));
  RECT unpainted{};
  const bool painted = !GetUpdateRect(hwnd, &unpainted, FALSE);
  done = true;
  watcher.join();

  EXPECT_TRUE(written);
  EXPECT_TRUE(seenDisabled);
  EXPECT_TRUE(painted) << "the window painted while it waited";
  EXPECT_TRUE(IsWindow(hwnd)) << "closing waits for the end of the wait";
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

}  // namespace
