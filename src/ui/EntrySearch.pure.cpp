#include "ui/EntrySearch.h"

#include <algorithm>
#include <vector>

namespace {
// Up to this many matching entries each is looked up by its id (the list searches its own
// items); beyond, the rows are walked from the start until one matches.
constexpr size_t kFewMatches = 16;

std::vector<EntryId> MatchingIds(const Catalogue& catalogue, const LikePattern& pattern,
                                 const SearchRequest& request) {
  std::vector<EntryId> ids;
  for (const AppPathEntry& entry : catalogue.Entries())
    if (EntryMatches(entry, pattern, request)) ids.push_back(entry.Id);
  std::sort(ids.begin(), ids.end());
  return ids;
}

// The row of the fewest steps after `first`, wrapping.
std::optional<size_t> NearestRowOf(const std::vector<EntryId>& ids, const SearchRows& rows,
                                   size_t first) {
  const size_t count = rows.Count();
  std::optional<size_t> best;
  for (const EntryId id : ids) {
    const std::optional<size_t> row = rows.RowOfId(id);
    if (!row || *row >= count) continue;
    if (!best || (*row + count - first) % count < (*best + count - first) % count) best = row;
  }
  return best;
}

std::optional<size_t> WalkRows(const std::vector<EntryId>& ids, const Catalogue& catalogue,
                               const SearchRows& rows, size_t first, bool emptyMatches) {
  const size_t count = rows.Count();
  for (size_t step = 0; step < count; ++step) {
    const size_t row = (first + step) % count;
    const EntryId id = rows.IdOfRow(row);
    const bool matches = catalogue.Find(id) == nullptr
                             ? emptyMatches
                             : std::binary_search(ids.begin(), ids.end(), id);
    if (matches) return row;
  }
  return std::nullopt;
}
}  // namespace

std::wstring SearchPatternFor(std::wstring_view typed) {
  if (typed.find_first_of(L"*?#[") != std::wstring_view::npos) return std::wstring(typed);
  return L"*" + std::wstring(typed) + L"*";
}

bool EntryMatches(const AppPathEntry& entry, const LikePattern& pattern,
                  const SearchRequest& request) {
  if (request.matchCase) {
    if (!request.allColumns) return pattern.Matches(entry.FileName);
    return pattern.Matches(entry.FileName) || pattern.Matches(entry.KeyName) ||
           pattern.Matches(entry.Installation) || pattern.Matches(entry.Directory);
  }
  const FoldedTexts& folded = entry.Folded;
  if (!request.allColumns) return pattern.Matches(folded.Text(0));
  return (!folded.FileNameFoldsAsKeyName() && pattern.Matches(folded.Text(0))) ||
         pattern.Matches(folded.Text(1)) || pattern.Matches(folded.Text(2)) ||
         pattern.Matches(folded.Text(3));
}

SearchOutcome FindNextRow(const Catalogue& catalogue, const SearchRows& rows, size_t start,
                          const SearchRequest& request, const LikeCharRules& ignoringCase) {
  const std::optional<LikePattern> pattern =
      LikePattern::Compile(SearchPatternFor(request.pattern),
                           request.matchCase ? CodeCharRules() : ignoringCase);
  if (!pattern) return {true, std::nullopt};
  const std::vector<EntryId> ids = MatchingIds(catalogue, *pattern, request);
  const bool emptyMatches = pattern->MatchesEmpty();
  const size_t count = rows.Count();
  if (count == 0 || (ids.empty() && !emptyMatches)) return {};
  const size_t first = start < count ? start + 1 : 0;
  if (!emptyMatches && ids.size() <= kFewMatches) return {false, NearestRowOf(ids, rows, first)};
  return {false, WalkRows(ids, catalogue, rows, first, emptyMatches)};
}
