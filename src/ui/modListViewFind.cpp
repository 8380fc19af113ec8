#include "ui/modListViewFind.h"

#include "ui/Like.h"
#include "ui/modLikeCompareText.h"

namespace {

bool KnownScope(int scope) { return scope >= kFindRowTexts && scope <= kFindRowsAndSubItems; }
bool KnownCompareMode(int mode) { return mode == kCompareByCode || mode == kCompareIgnoringCase; }
bool TestsRowTexts(int scope) { return scope == kFindRowTexts || scope == kFindRowsAndSubItems; }
bool TestsSubItems(int scope) { return scope == kFindSubItems || scope == kFindRowsAndSubItems; }

const LikeCharRules& RulesFor(int compareMode) {
  return compareMode == kCompareIgnoringCase ? UserLocaleCharRules() : CodeCharRules();
}

void CollectRowMatches(const ListView& listView, const LikePattern& pattern, int row, int scope,
                       bool includeRow, int columns, std::vector<ListViewMatch>& found) {
  using Kind = ListViewMatch::Kind;
  if (TestsRowTexts(scope) && pattern.Matches(listView.Text(row, 0)))
    found.push_back({Kind::Row, row, 0});
  if (!TestsSubItems(scope)) return;
  for (int column = 1; column < columns; ++column)
    if (pattern.Matches(listView.Text(row, column)))
      found.push_back({includeRow ? Kind::RowAndSubItem : Kind::SubItem, row, column});
}

std::vector<ListViewMatch> CollectMatches(const ListView& listView, const LikePattern& pattern,
                                          int scope, bool includeRow) {
  std::vector<ListViewMatch> found;
  const int rows = listView.Count();
  const int columns = listView.ColumnCount();
  for (int row = 0; row < rows; ++row)
    CollectRowMatches(listView, pattern, row, scope, includeRow, columns, found);
  return found;
}

void SelectRowOfFirstMatch(ListView& listView, const std::vector<ListViewMatch>& found) {
  if (found.empty() || found.front().kind == ListViewMatch::Kind::SubItem) return;
  const int row = found.front().row;
  listView.Select(row);
  listView.EnsureVisible(row);
}

}  // namespace

std::optional<std::vector<ListViewMatch>> ListViewFind(ListView& listView,
                                                       const std::wstring& pattern, int scope,
                                                       bool includeRow, int compareMode,
                                                       bool selectFirst) {
  std::vector<ListViewMatch> found;
  if (KnownScope(scope) && KnownCompareMode(compareMode)) {
    const std::optional<LikePattern> compiled = LikePattern::Compile(pattern, RulesFor(compareMode));
    if (!compiled) return std::nullopt;
    found = CollectMatches(listView, *compiled, scope, includeRow);
  }
  if (selectFirst) SelectRowOfFirstMatch(listView, found);
  return found;
}
