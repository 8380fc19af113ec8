// The thin list view wrapper on a real SysListView32 inside a plain, hidden host window (showing it
// would only slow every test down under Wine). The host answers every notification with
// DefWindowProc, which (like the main window) rejects a finished label edit.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/controls/ListView.h"

namespace {

const wchar_t kHostClass[] = L"VelmarinListViewTestHost";

void RegisterHostClass() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kHostClass;
  RegisterClassW(&wc);  // a second registration fails harmlessly
}

class ListViewTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterHostClass();
    host_ = CreateWindowExW(0, kHostClass, L"host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 400, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(host_, nullptr);
    const HWND hwnd = CreateWindowExW(
        0, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS,
        0, 0, 600, 300, host_, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(hwnd, nullptr);
    list_.Attach(hwnd);
  }
  void TearDown() override { DestroyWindow(host_); }

  void AddFourColumns() {
    ASSERT_TRUE(list_.AddColumn(L"Dateiname", 120));
    ASSERT_TRUE(list_.AddColumn(L"Keyname", 0));
    ASSERT_TRUE(list_.AddColumn(L"Installation", 233));
    ASSERT_TRUE(list_.AddColumn(L"Verzeichnis", 187));
  }

  // Appends a row with three sub-items; returns its position.
  int AddRow(const std::wstring& text, const std::wstring& key, const std::wstring& installation,
             const std::wstring& directory) {
    const int at = list_.InsertRow(list_.Count(), text);
    EXPECT_GE(at, 0);
    EXPECT_TRUE(list_.SetText(at, 1, key));
    EXPECT_TRUE(list_.SetText(at, 2, installation));
    EXPECT_TRUE(list_.SetText(at, 3, directory));
    return at;
  }

  std::vector<std::wstring> Column(int column) const {
    std::vector<std::wstring> texts;
    for (int i = 0; i < list_.Count(); ++i) texts.push_back(list_.Text(i, column));
    return texts;
  }

  HWND host_ = nullptr;
  ListView list_;
};

using Texts = std::vector<std::wstring>;

TEST_F(ListViewTest, ColumnsKeepTheirHeadersAndWidths) {
  AddFourColumns();
  EXPECT_EQ(list_.ColumnCount(), 4);
  EXPECT_EQ(list_.ColumnWidth(0), 120);
  EXPECT_EQ(list_.ColumnWidth(1), 0);
  EXPECT_EQ(list_.ColumnWidth(2), 233);

  EXPECT_TRUE(list_.SetColumnWidth(1, 40));
  EXPECT_EQ(list_.ColumnWidth(1), 40);
  EXPECT_TRUE(list_.SetColumnWidth(1, 0));
  EXPECT_EQ(list_.ColumnWidth(1), 0);
  EXPECT_FALSE(list_.SetColumnWidth(7, 10));
}

TEST_F(ListViewTest, InsertAndRemoveMoveTheFollowingRows) {
  AddFourColumns();
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_EQ(list_.InsertRow(0, L"a"), 0);
  EXPECT_EQ(list_.InsertRow(1, L"c"), 1);
  EXPECT_EQ(list_.InsertRow(1, L"b"), 1);  // in front of c
  EXPECT_EQ(list_.InsertRow(list_.Count() - 1, L"x"), 2);  // in front of the last
  EXPECT_EQ(Column(0), (Texts{L"a", L"b", L"x", L"c"}));

  EXPECT_TRUE(list_.RemoveRow(2));
  EXPECT_EQ(Column(0), (Texts{L"a", L"b", L"c"}));
  EXPECT_TRUE(list_.RemoveRow(0));
  EXPECT_EQ(Column(0), (Texts{L"b", L"c"}));
  EXPECT_FALSE(list_.RemoveRow(2));
  EXPECT_FALSE(list_.RemoveRow(-1));
  EXPECT_TRUE(list_.Clear());
  EXPECT_EQ(list_.Count(), 0);
}

TEST_F(ListViewTest, SubItemsAreReadAndWrittenPerColumn) {
  AddFourColumns();
  const int row = AddRow(L"Winword.exe", L"WINWORD.EXE", L"C:\\Office\\winword.exe /n",
                         L"C:\\Office;");
  EXPECT_EQ(list_.Text(row), L"Winword.exe");
  EXPECT_EQ(list_.Text(row, 1), L"WINWORD.EXE");
  EXPECT_EQ(list_.Text(row, 2), L"C:\\Office\\winword.exe /n");
  EXPECT_EQ(list_.Text(row, 3), L"C:\\Office;");

  EXPECT_TRUE(list_.SetText(row, 0, L"Neu.exe"));
  EXPECT_EQ(list_.Text(row), L"Neu.exe");
  EXPECT_TRUE(list_.SetText(row, 3, L""));
  EXPECT_EQ(list_.Text(row, 3), L"");

  EXPECT_FALSE(list_.SetText(row, 4, L"x"));
  EXPECT_FALSE(list_.SetText(5, 1, L"x"));
  EXPECT_EQ(list_.Text(5, 1), L"");
  EXPECT_EQ(list_.Text(row, 9), L"");

  // Registered paths can be long; the text must come back whole, not cut at a buffer size.
  const std::wstring longPath = L"C:\\" + std::wstring(1500, L'd') + L"\\tool.exe";
  EXPECT_TRUE(list_.SetText(row, 2, longPath));
  EXPECT_EQ(list_.Text(row, 2), longPath);
  const std::wstring exactly255(255, L'q');
  EXPECT_TRUE(list_.SetText(row, 2, exactly255));
  EXPECT_EQ(list_.Text(row, 2), exactly255);
}

TEST_F(ListViewTest, OnlyOneRowIsSelectedAtATime) {
  AddFourColumns();
  for (const wchar_t* t : {L"a", L"b", L"c"}) list_.InsertRow(list_.Count(), t);
  EXPECT_EQ(list_.SelectedIndex(), -1);

  EXPECT_TRUE(list_.Select(2));
  EXPECT_EQ(list_.SelectedIndex(), 2);
  EXPECT_TRUE(list_.Select(0));
  EXPECT_EQ(list_.SelectedIndex(), 0);
  EXPECT_EQ(SendMessageW(list_.Handle(), LVM_GETSELECTEDCOUNT, 0, 0), 1);

  EXPECT_FALSE(list_.Select(3));
  EXPECT_EQ(list_.SelectedIndex(), 0);
  EXPECT_TRUE(list_.Select(-1));
  EXPECT_EQ(list_.SelectedIndex(), -1);

  EXPECT_TRUE(list_.EnsureVisible(2));
  EXPECT_FALSE(list_.EnsureVisible(3));
}

TEST_F(ListViewTest, EnsureVisibleScrollsALongListToTheRow) {
  AddFourColumns();
  for (int i = 0; i < 200; ++i) list_.InsertRow(list_.Count(), std::to_wstring(i));
  EXPECT_EQ(SendMessageW(list_.Handle(), LVM_GETTOPINDEX, 0, 0), 0);
  EXPECT_TRUE(list_.EnsureVisible(150));
  const auto top = static_cast<int>(SendMessageW(list_.Handle(), LVM_GETTOPINDEX, 0, 0));
  const auto perPage = static_cast<int>(SendMessageW(list_.Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_LE(top, 150);
  EXPECT_GT(top + perPage, 150);
}

}  // namespace
