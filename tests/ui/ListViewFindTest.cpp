#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/Like.h"
#include "ui/ListView.h"
#include "ui/modLikeCompareText.h"
#include "ui/modListViewFind.h"

namespace {

using Kind = ListViewMatch::Kind;
using Matches = std::vector<ListViewMatch>;

ListViewMatch RowMatch(int row) { return {Kind::Row, row, 0}; }
ListViewMatch PairMatch(int row, int subItem) { return {Kind::RowAndSubItem, row, subItem}; }
ListViewMatch SubItemMatch(int row, int subItem) { return {Kind::SubItem, row, subItem}; }

// A real report list view with the entry list's four columns, in a hidden window of its own
// (showing it only slows the tests down under Wine).
class ListViewFindTest : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"Liste", WS_OVERLAPPEDWINDOW, 50, 50,
                             600, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0,
                                560, 200, owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
    list_.Attach(list);
    ASSERT_TRUE(list_.AddColumn(L"Dateiname", 120));
    ASSERT_TRUE(list_.AddColumn(L"Keyname", 0));
    ASSERT_TRUE(list_.AddColumn(L"Installation", 233));
    ASSERT_TRUE(list_.AddColumn(L"Verzeichnis", 187));
  }
  void TearDown() override { DestroyWindow(owner_); }

  int AddRow(const std::wstring& fileName, const std::wstring& keyName,
             const std::wstring& installation, const std::wstring& directory) {
    const int row = list_.InsertRow(list_.Count(), fileName, L"Ready");
    EXPECT_GE(row, 0);
    EXPECT_TRUE(list_.SetText(row, 1, keyName));
    EXPECT_TRUE(list_.SetText(row, 2, installation));
    EXPECT_TRUE(list_.SetText(row, 3, directory));
    return row;
  }

  void AddFillerRows(int count) {
    for (int i = 0; i < count; ++i) {
      const std::wstring name = L"Tool" + std::to_wstring(i) + L".exe";
      AddRow(name, L"TOOL" + std::to_wstring(i) + L".EXE", L"C:\\Tools\\" + name, L"C:\\Tools");
    }
  }

  bool RowIsScrolledIntoView(int row) const {
    const int top = static_cast<int>(SendMessageW(list_.Handle(), LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(SendMessageW(list_.Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    return row >= top && row < top + perPage;
  }

  // Searches with SelectFirst; the result must not be the malformed-pattern answer.
  Matches Find(const std::wstring& pattern, int scope, bool includeRow, int compareMode) {
    const auto found = ListViewFind(list_, pattern, scope, includeRow, compareMode, true);
    EXPECT_TRUE(found.has_value()) << pattern;
    return found.value_or(Matches{});
  }

  HWND owner_ = nullptr;
  ListView list_;
};

TEST_F(ListViewFindTest, FindsRowThenKeyNamePairIgnoringCaseAndScrollsToIt) {
  AddFillerRows(60);
  const int notepad = AddRow(L"Notepad.exe", L"NOTEPAD.EXE", L"C:\\Windows\\notepad.exe",
                             L"C:\\Windows");
  ASSERT_TRUE(list_.Select(0));
  ASSERT_FALSE(RowIsScrolledIntoView(notepad));

  const Matches found = Find(L"notepad.exe", kFindRowsAndSubItems, true, kCompareIgnoringCase);

  EXPECT_EQ(found, (Matches{RowMatch(notepad), PairMatch(notepad, 1)}));
  EXPECT_EQ(list_.SelectedIndex(), notepad);
  EXPECT_TRUE(RowIsScrolledIntoView(notepad));
}

TEST_F(ListViewFindTest, LetterCaseCountsByCode) {
  AddRow(L"Notepad.exe", L"NOTEPAD.EXE", L"C:\\Windows\\notepad.exe", L"C:\\Windows");
  AddRow(L"Calc.exe", L"CALC.EXE", L"C:\\Windows\\calc.exe", L"C:\\Windows");
  ASSERT_TRUE(list_.Select(1));

  EXPECT_TRUE(Find(L"notepad.exe", kFindRowsAndSubItems, true, kCompareByCode).empty());
  EXPECT_EQ(list_.SelectedIndex(), 1);  // no match leaves the selection alone

  EXPECT_EQ(Find(L"NOTEPAD.EXE", kFindRowsAndSubItems, true, kCompareByCode),
            (Matches{PairMatch(0, 1)}));
  EXPECT_EQ(list_.SelectedIndex(), 0);
}

TEST_F(ListViewFindTest, StarMatchesEveryRowAndEveryCellEmptyOnesIncluded) {
  AddRow(L"A.exe", L"A.EXE", L"C:\\a.exe", L"");
  AddRow(L"B.exe", L"B.EXE", L"", L"C:\\b");

  EXPECT_EQ(Find(L"*", kFindRowsAndSubItems, true, kCompareIgnoringCase),
            (Matches{RowMatch(0), PairMatch(0, 1), PairMatch(0, 2), PairMatch(0, 3), RowMatch(1),
                     PairMatch(1, 1), PairMatch(1, 2), PairMatch(1, 3)}));
  EXPECT_EQ(Find(L"*", kFindRowTexts, true, kCompareByCode), (Matches{RowMatch(0), RowMatch(1)}));
  EXPECT_EQ(Find(L"*", kFindSubItems, false, kCompareByCode),
            (Matches{SubItemMatch(0, 1), SubItemMatch(0, 2), SubItemMatch(0, 3),
                     SubItemMatch(1, 1), SubItemMatch(1, 2), SubItemMatch(1, 3)}));
}

TEST_F(ListViewFindTest, EmptyPatternFindsOnlyEmptyCells) {
  AddRow(L"A.exe", L"A.EXE", L"C:\\a.exe", L"C:\\");
  AddRow(L"B.exe", L"B.EXE", L"C:\\b.exe", L"");
  AddRow(L"C.exe", L"C.EXE", L"", L"");

  EXPECT_EQ(Find(L"", kFindSubItems, true, kCompareIgnoringCase),
            (Matches{PairMatch(1, 3), PairMatch(2, 2), PairMatch(2, 3)}));
  EXPECT_EQ(Find(L"", kFindRowsAndSubItems, true, kCompareByCode),
            (Matches{PairMatch(1, 3), PairMatch(2, 2), PairMatch(2, 3)}));
  EXPECT_TRUE(Find(L"", kFindRowTexts, true, kCompareIgnoringCase).empty());
}

TEST_F(ListViewFindTest, HashIsADigitUnlessBracketed) {
  const int one = AddRow(L"C1.exe", L"C1.EXE", L"", L"");
  const int hash = AddRow(L"C#.exe", L"C#.EXE", L"", L"");

  EXPECT_EQ(Find(L"c#.exe", kFindRowTexts, true, kCompareIgnoringCase), (Matches{RowMatch(one)}));
  EXPECT_EQ(list_.SelectedIndex(), one);
  EXPECT_EQ(Find(L"c[#].exe", kFindRowTexts, true, kCompareIgnoringCase),
            (Matches{RowMatch(hash)}));
  EXPECT_EQ(list_.SelectedIndex(), hash);
}

TEST_F(ListViewFindTest, BareSubItemFirstSelectsNothing) {
  AddRow(L"A.exe", L"A.EXE", L"C:\\a.exe", L"");
  AddRow(L"Notepad.exe", L"NOTEPAD.EXE", L"", L"");
  ASSERT_TRUE(list_.Select(0));

  EXPECT_EQ(Find(L"notepad.exe", kFindSubItems, false, kCompareIgnoringCase),
            (Matches{SubItemMatch(1, 1)}));
  EXPECT_EQ(list_.SelectedIndex(), 0);

  ASSERT_TRUE(list_.Select(-1));
  EXPECT_EQ(Find(L"notepad.exe", kFindSubItems, false, kCompareIgnoringCase).size(), 1u);
  EXPECT_EQ(list_.SelectedIndex(), -1);
}

TEST_F(ListViewFindTest, UnknownScopeOrCompareModeTestsNothing) {
  AddRow(L"A.exe", L"A.EXE", L"C:\\a.exe", L"");
  ASSERT_TRUE(list_.Select(-1));
  const std::pair<int, int> scopesAndModes[] = {{4, 1}, {0, 1}, {-1, 0}, {3, 2}, {3, -1}};
  for (const auto& [scope, mode] : scopesAndModes) {
    EXPECT_TRUE(Find(L"*", scope, true, mode).empty()) << scope << "/" << mode;
    EXPECT_EQ(list_.SelectedIndex(), -1) << scope << "/" << mode;
  }
}

TEST_F(ListViewFindTest, OfTwoEqualRowsTheEarlierInSortedOrderIsSelected) {
  AddRow(L"Zed.exe", L"ZED.EXE", L"", L"");
  const int firstTool = AddRow(L"Tool.exe", L"TOOL.EXE", L"", L"");
  AddRow(L"Abc.exe", L"ABC.EXE", L"", L"");
  AddRow(L"tool.exe", L"TOOL.EXE", L"", L"");
  const LPARAM firstToolId = list_.IdOf(firstTool);
  ASSERT_TRUE(list_.SortBy(0));  // Abc, Tool, tool, Zed

  EXPECT_EQ(Find(L"TOOL.EXE", kFindRowsAndSubItems, true, kCompareIgnoringCase),
            (Matches{RowMatch(1), PairMatch(1, 1), RowMatch(2), PairMatch(2, 1)}));
  EXPECT_EQ(list_.SelectedIndex(), 1);
  EXPECT_EQ(list_.IdOf(1), firstToolId);
}

TEST_F(ListViewFindTest, UmlautsMatchTheirOtherCaseByTheLocale) {
  const int row = AddRow(L"\u00C4rger.exe", L"\u00C4RGER.EXE", L"", L"");  // Ärger.exe

  EXPECT_EQ(Find(L"\u00E4rger.exe", kFindRowTexts, true, kCompareIgnoringCase),
            (Matches{RowMatch(row)}));
  EXPECT_TRUE(Find(L"\u00E4rger.exe", kFindRowTexts, true, kCompareByCode).empty());
  EXPECT_TRUE(Find(L"arger.exe", kFindRowTexts, true, kCompareIgnoringCase).empty());
  // Ranges follow the locale's order in the case-blind mode, code order otherwise.
  EXPECT_EQ(Find(L"[a-z]rger.exe", kFindRowTexts, true, kCompareIgnoringCase).size(), 1u);
  EXPECT_TRUE(Find(L"[a-z]rger.exe", kFindRowTexts, true, kCompareByCode).empty());
}

TEST_F(ListViewFindTest, MalformedPatternAnswersNothingAndKeepsTheSelection) {
  AddRow(L"A.exe", L"A.EXE", L"", L"");
  AddRow(L"B.exe", L"B.EXE", L"", L"");
  ASSERT_TRUE(list_.Select(1));
  for (const std::wstring pattern : {L"[a", L"*[", L"[z-a]*", L"a.exe["}) {
    for (const int mode : {kCompareByCode, kCompareIgnoringCase}) {
      EXPECT_FALSE(ListViewFind(list_, pattern, kFindRowsAndSubItems, true, mode, true))
          << pattern;
      EXPECT_EQ(list_.SelectedIndex(), 1) << pattern;
    }
  }
}

TEST_F(ListViewFindTest, WithoutSelectFirstTheSelectionStays) {
  AddRow(L"A.exe", L"A.EXE", L"", L"");
  AddRow(L"B.exe", L"B.EXE", L"", L"");
  ASSERT_TRUE(list_.Select(0));
  const auto found = ListViewFind(list_, L"b.exe", kFindRowTexts, true, kCompareIgnoringCase, false);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(*found, (Matches{RowMatch(1)}));
  EXPECT_EQ(list_.SelectedIndex(), 0);
}

TEST(LikeCompareText, IgnoresLetterCaseBeyondAToZ) {
  EXPECT_EQ(LikeCompareText(L"\u00C4\u00D6\u00DC.EXE", L"\u00E4\u00F6\u00FC.exe"), true);
  EXPECT_EQ(LikeCompareText(L"\u0394\u0395\u039B\u03A4\u0391", L"\u03B4\u03B5\u03BB\u03C4\u03B1"),
            true);  // Greek
  EXPECT_EQ(LikeCompareText(L"\u00C4", L"a"), false);
  EXPECT_EQ(LikeCompareText(L"WORD.EXE", L"w*.e?e"), true);
  EXPECT_EQ(LikeCompareText(L"x", L"[x"), std::nullopt);
}

}  // namespace
