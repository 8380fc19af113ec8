#include "ui/EntrySearch.h"

namespace {
bool RowMatches(const RowTexts& row, const LikePattern& pattern, bool allColumns) {
  if (!allColumns) return pattern.Matches(row[0]);
  for (const std::wstring_view text : row)
    if (pattern.Matches(text)) return true;
  return false;
}
}  // namespace

std::wstring SearchPatternFor(std::wstring_view typed) {
  if (typed.find_first_of(L"*?#[") != std::wstring_view::npos) return std::wstring(typed);
  return L"*" + std::wstring(typed) + L"*";
}

SearchOutcome FindNextRow(const std::vector<RowTexts>& rows, size_t start,
                          const SearchRequest& request, const LikeCharRules& ignoringCase) {
  const std::optional<LikePattern> pattern =
      LikePattern::Compile(SearchPatternFor(request.pattern),
                           request.matchCase ? CodeCharRules() : ignoringCase);
  if (!pattern) return {true, std::nullopt};
  const size_t count = rows.size();
  const size_t first = start < count ? start + 1 : 0;
  for (size_t step = 0; step < count; ++step) {
    const size_t row = (first + step) % count;
    if (RowMatches(rows[row], *pattern, request.allColumns)) return {false, row};
  }
  return {};
}
