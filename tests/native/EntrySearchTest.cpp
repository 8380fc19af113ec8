#include <gtest/gtest.h>

#include <vector>

#include "platform/Text.h"
#include "ui/EntrySearch.h"

namespace {
bool SameIgnoringCase(wchar_t a, wchar_t b) {
  return UpperUnit(a) == UpperUnit(b) || LowerUnit(a) == LowerUnit(b);
}
int OrderIgnoringCase(wchar_t a, wchar_t b) {
  return static_cast<int>(UpperUnit(a)) - static_cast<int>(UpperUnit(b));
}
const LikeCharRules kIgnoringCase{SameIgnoringCase, OrderIgnoringCase, FoldUnit, FoldIsExact};

AppPathEntry Entry(const wchar_t* key, const wchar_t* installation, const wchar_t* directory) {
  AppPathEntry entry;
  entry.KeyName = key;
  entry.FileName = FileNameFromKeyName(key);
  entry.Installation = installation;
  entry.Directory = directory;
  entry.Folded = FoldedTexts(entry.FileName, entry.KeyName, entry.Installation, entry.Directory);
  return entry;
}

// The list's rows: entries by their position in the catalogue, -1 for a row without one.
class Rows : public SearchRows {
 public:
  Rows(const Catalogue& catalogue, std::vector<int> order) {
    for (const int i : order)
      ids_.push_back(i < 0 ? EntryId{1} << 62 : catalogue.Entries()[static_cast<size_t>(i)].Id);
  }
  size_t Count() const override { return ids_.size(); }
  EntryId IdOfRow(size_t row) const override { return ids_[row]; }
  std::optional<size_t> RowOfId(EntryId id) const override {
    for (size_t row = 0; row < ids_.size(); ++row)
      if (ids_[row] == id) return row;
    return std::nullopt;
  }

 private:
  std::vector<EntryId> ids_;
};
}  // namespace

// Where the search starts, what it looks at, letter case, wrapping, rows without an entry and
// malformed patterns. The rows show the entries in another order than the catalogue's.
TEST(EntrySearch, FindsTheNextMatchingRowAndWraps) {
  Catalogue catalogue;
  catalogue.Reset({Entry(L"GAMMA.EXE", L"C:\\Tools\\gamma.exe", L""),
                   Entry(L"BETA.EXE", L"C:\\Beta\\b1.exe", L""),
                   Entry(L"ALPHA.EXE", L"C:\\Tools\\alpha.exe", L"C:\\Tools;"),
                   Entry(L"\u00C4RGER.EXE", L"", L"C:\\\u00DCbung")});
  const Rows rows(catalogue, {2, 1, 0, 3});  // Alpha, Beta, Gamma, Ärger
  const Rows withNewRow(catalogue, {2, -1, 1, 0});
  struct Case {
    SearchRequest request;
    size_t start;
    SearchOutcome expected;
    const Rows* rows = nullptr;
  };
  const Case cases[] = {
      {{L"*a.exe", false, false}, 99, {false, 0}},   // no row selected: from the top
      {{L"*a.exe", false, false}, 0, {false, 1}},    // after the selected row
      {{L"*a.exe", false, false}, 2, {false, 0}},    // wraps round
      {{L"gamma.exe", false, false}, 2, {false, 2}}, // the selected row itself comes last
      {{L"gamma.exe", false, true}, 0, {false, std::nullopt}},  // case counts
      {{L"Gamma.exe", false, true}, 0, {false, 2}},
      {{L"GAMMA.EXE", false, true}, 0, {false, std::nullopt}},  // file name only
      {{L"GAMMA.EXE", true, true}, 0, {false, 2}},              // the key name too
      {{L"C:\\Tools\\*", false, false}, 99, {false, std::nullopt}},
      {{L"c:\\tools\\*", true, false}, 0, {false, 2}},
      {{L"*#.exe", true, false}, 99, {false, 1}},                    // digits
      {{L"[!ab]*", false, false}, 99, {false, 2}},
      {{L"\u00E4rger.exe", false, false}, 0, {false, 3}},  // letters beyond A to Z
      {{L"*\u00FCBUNG", true, false}, 0, {false, 3}},
      {{L"*", true, false}, 0, {false, 1}, &withNewRow},     // a row without data matches
      {{L"a*", true, false}, 0, {false, 0}, &withNewRow},    // ... only the empty text
      {{L"[z-a]*", true, false}, 0, {true, std::nullopt}},
      {{L"C:\\[Tools", true, false}, 0, {true, std::nullopt}},
      // Without wildcards a part of the text is enough, as in Explorer's search.
      {{L"TOOLS", true, false}, 0, {false, 2}},
      {{L"TOOLS", true, true}, 0, {false, std::nullopt}},
      {{L"!a", false, false}, 0, {false, std::nullopt}},  // ! and ] are no wildcards
  };
  for (const Case& c : cases) {
    const SearchOutcome outcome = FindNextRow(catalogue, c.rows != nullptr ? *c.rows : rows,
                                              c.start, c.request, kIgnoringCase);
    EXPECT_EQ(outcome.malformed, c.expected.malformed) << c.request.pattern.size();
    EXPECT_EQ(outcome.found, c.expected.found) << c.request.pattern.size() << " from " << c.start;
  }
  EXPECT_FALSE(FindNextRow(catalogue, Rows(catalogue, {}), 0, {L"*", false, false},
                           kIgnoringCase).found);
}

// More matches than are looked up one by one: the rows are walked; fewer are looked up by id.
TEST(EntrySearch, ManyMatchesWalkTheRows) {
  std::vector<AppPathEntry> entries;
  for (int i = 0; i < 40; ++i)
    entries.push_back(Entry((L"T" + std::to_wstring(i) + L".EXE").c_str(), L"", L""));
  Catalogue catalogue;
  catalogue.Reset(std::move(entries));
  std::vector<int> order;
  for (int i = 39; i >= 0; --i) order.push_back(i);
  const Rows rows(catalogue, order);
  EXPECT_EQ(FindNextRow(catalogue, rows, 5, {L"t*", false, false}, kIgnoringCase).found, 6u);
  EXPECT_EQ(FindNextRow(catalogue, rows, 39, {L"t*", false, false}, kIgnoringCase).found, 0u);
  EXPECT_EQ(FindNextRow(catalogue, rows, 5, {L"t3*", false, false}, kIgnoringCase).found, 6u);
}
