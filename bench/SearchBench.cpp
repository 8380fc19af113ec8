// The window's search ("Suchen ...", "Weitersuchen") over 10,000 registrations, and the matcher
// against long texts: each now and as it was before the texts were folded once (the row texts
// gathered through the list at every search, every pattern position stepped through every raw
// text: tests/support/ReferenceLike), in the same run.
#include "SearchBench.h"

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BenchTools.h"
#include "support/ReferenceLike.h"
#include "ui/EntrySearch.h"
#include "ui/Like.h"
#include "ui/Root.h"
#include "ui/modLikeCompareText.h"

namespace {

const wchar_t kManyStars[] = L"*a*a*a*a*a*a*a*a*a*a*a*a*b";

const LikeCharRules& RulesOf(const SearchRequest& request) {
  return request.matchCase ? CodeCharRules() : UserLocaleCharRules();
}

using OldRowTexts = std::array<std::wstring_view, 4>;

bool OldRowMatches(const OldRowTexts& row, const ReferenceLikePattern& pattern, bool allColumns) {
  if (!allColumns) return pattern.Matches(row[0]);
  for (const std::wstring_view text : row)
    if (pattern.Matches(text)) return true;
  return false;
}

// "Weitersuchen" as it was: every row's entry asked of the list, then the rows in turn.
void OldSearchNext(Root& root, const SearchRequest& request) {
  ListView& list = root.EntryList().LstFileList();
  std::vector<OldRowTexts> rows(static_cast<size_t>(list.Count()));
  for (size_t row = 0; row < rows.size(); ++row)
    if (const AppPathEntry* entry = root.Entries().Find(root.EntryList().IdAt(static_cast<int>(row))))
      rows[row] = {entry->FileName, entry->KeyName, entry->Installation, entry->Directory};
  const std::optional<ReferenceLikePattern> pattern =
      ReferenceLikePattern::Compile(request.pattern, RulesOf(request));
  if (!pattern) return;
  const int selected = list.SelectedIndex();
  const size_t first = selected < 0 ? 0 : static_cast<size_t>(selected) + 1;
  for (size_t step = 0; step < rows.size(); ++step) {
    const size_t row = (first + step) % rows.size();
    if (!OldRowMatches(rows[row], *pattern, request.allColumns)) continue;
    list.Select(static_cast<int>(row));
    list.EnsureVisible(static_cast<int>(row));
    root.LoadSelectedRow();
    return;
  }
}

// Only the search through the rows' texts, from the selected row: what "Weitersuchen" does
// before it selects the row it found and loads it into the panel.
double FindingMs(Root& root, const SearchRequest& request) {
  const EntryListRows rows(root.EntryList());
  const int selected = root.EntryList().LstFileList().SelectedIndex();
  const size_t start = selected < 0 ? rows.Count() : static_cast<size_t>(selected);
  return BestOfMs(5, [&] { FindNextRow(root.Entries(), rows, start, request, UserLocaleCharRules()); });
}

void PrintStarsRow(const char* where, size_t length, int mode, std::optional<bool> result,
                   double ms) {
  const char* answer = !result ? "malformed" : (*result ? "match" : "no match");
  std::printf("| %-24s | %7zu | %4d | %-9s | %11.3f |\n", where, length, mode, answer, ms);
}

}  // namespace

// "Suchen ..." and "Weitersuchen" on the window: the registrations' data against the pattern,
// from the selected row round the whole list; the old way and the new one on the same window.
bool BenchDataSearch() {
  constexpr int kCount = 10000;
  if (!WriteRegistrations(kCount)) return false;
  HiddenWindow window;
  Root& root = window.Window();
  ScriptedPrompts& prompts = window.Prompts();
  if (!window.Created()) return false;
  window.ShowRegistrations();
  std::printf("\nSearch on the window (Suchen, Weitersuchen): the registrations' data, %d rows x "
              "4 texts; before: the rows' texts gathered through the list and matched position "
              "by position, now: the texts folded once. Weitersuchen from the row found before "
              "(before, now), of it the finding alone, and the first find from no selected row "
              "(the row selected and loaded into the panel)\n\n",
              root.EntryList().LstFileList().Count());
  std::printf("| %-30s | %7s | %7s | %11s | %11s | %6s | %10s | %10s |\n", "pattern", "columns",
              "row", "before ms", "now ms", "faster", "finding ms", "first ms");
  PrintRule({32, 9, 9, 13, 13, 8, 12, 12});
  bool sane = true;
  for (const SearchRequest& request : {SearchRequest{kManyStars, true, false},
                                       SearchRequest{L"app09999.exe", false, false},
                                       SearchRequest{L"*.dll", true, false},
                                       SearchRequest{L"c:\\programme\\*[5-7]", true, false}}) {
    root.EntryList().LstFileList().Select(-1);
    prompts.searchAnswers.push_back(request);
    root.Search();  // the dialog's answer, then the first search
    const double nowMs = BestOfMs(5, [&] { root.SearchNext(); });
    const int nowRow = root.EntryList().LstFileList().SelectedIndex();
    const double findingMs = FindingMs(root, request);
    const double firstMs = BestOfMs(5, [&] {
      root.EntryList().LstFileList().Select(-1);
      root.SearchNext();
    });
    root.EntryList().LstFileList().Select(-1);
    OldSearchNext(root, request);
    const double beforeMs = BestOfMs(5, [&] { OldSearchNext(root, request); });
    const int beforeRow = root.EntryList().LstFileList().SelectedIndex();
    std::printf("| %-30s | %7s | %7d | %11.1f | %11.1f | %5.0fx | %10.1f | %10.1f |\n",
                Shortened(request.pattern, 30).c_str(), request.allColumns ? "all" : "name",
                nowRow, beforeMs, nowMs, beforeMs / nowMs, findingMs, firstMs);
    sane = sane && beforeRow == nowRow && root.EntryList().LstFileList().Count() == kCount;
  }
  EmptyAppPaths();
  return sane;
}

// A backtracking matcher takes exponential time on this pattern; both of these step through
// the text once (the old one once per pattern position).
bool BenchManyStars() {
  std::printf("\nMatcher: %s against texts of the letter a alone\n\n", Narrow(kManyStars).c_str());
  std::printf("| %-24s | %7s | %4s | %-9s | %11s |\n", "matcher", "letters", "mode", "answer",
              "ms (best 3)");
  PrintRule({26, 9, 6, 11, 13});
  bool sane = true;
  for (const size_t length : {size_t{1000}, size_t{10000}}) {
    const std::wstring text(length, L'a');
    for (const int mode : {0, 1}) {
      const LikeCharRules& rules = mode == 0 ? CodeCharRules() : UserLocaleCharRules();
      std::optional<bool> result;
      double ms = BestOfMs(3, [&] { result = ReferenceLikeMatch(text, kManyStars, rules); });
      PrintStarsRow("before (every position)", length, mode, result, ms);
      sane = sane && result == false;
      ms = BestOfMs(3, [&] { result = LikeMatch(text, kManyStars, rules); });
      PrintStarsRow("now (bit-parallel)", length, mode, result, ms);
      sane = sane && result == false;
    }
  }
  return sane;
}
