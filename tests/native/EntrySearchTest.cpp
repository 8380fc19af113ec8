#include <gtest/gtest.h>

#include <cwctype>
#include <vector>

#include "ui/EntrySearch.h"

namespace {
bool SameIgnoringCase(wchar_t a, wchar_t b) { return std::towupper(a) == std::towupper(b); }
int OrderIgnoringCase(wchar_t a, wchar_t b) {
  return static_cast<int>(std::towupper(a)) - static_cast<int>(std::towupper(b));
}
const LikeCharRules kIgnoringCase{SameIgnoringCase, OrderIgnoringCase};

const std::vector<RowTexts> kRows = {
    {L"Alpha.exe", L"ALPHA.EXE", L"C:\\Tools\\alpha.exe", L"C:\\Tools;"},
    {L"Beta.exe", L"BETA.EXE", L"C:\\Beta\\b1.exe", L""},
    {L"Gamma.exe", L"GAMMA.EXE", L"C:\\Tools\\gamma.exe", L""},
};
}  // namespace

// Where the search starts, what it looks at, letter case, wrapping and malformed patterns.
TEST(EntrySearch, FindsTheNextMatchingRowAndWraps) {
  struct Case {
    SearchRequest request;
    size_t start;
    SearchOutcome expected;
  };
  const Case cases[] = {
      {{L"*a.exe", false, false}, 99, {false, 0}},   // no row selected: from the top
      {{L"*a.exe", false, false}, 0, {false, 1}},    // after the selected row
      {{L"*a.exe", false, false}, 2, {false, 0}},    // wraps round
      {{L"gamma.exe", false, false}, 2, {false, 2}}, // the selected row itself comes last
      {{L"gamma.exe", false, true}, 0, {false, std::nullopt}},  // case counts
      {{L"C:\\Tools\\*", false, false}, 99, {false, std::nullopt}},  // file name only
      {{L"C:\\Tools\\*", true, false}, 0, {false, 2}},               // all columns
      {{L"*#.exe", true, false}, 99, {false, 1}},                    // digits
      {{L"[!ab]*", false, false}, 99, {false, 2}},
      {{L"[z-a]*", true, false}, 0, {true, std::nullopt}},
      {{L"C:\\[Tools", true, false}, 0, {true, std::nullopt}},
      // Without wildcards a part of the text is enough, as in Explorer's search.
      {{L"pha", false, false}, 1, {false, 0}},
      {{L"TOOLS", true, false}, 0, {false, 2}},
      {{L"TOOLS", true, true}, 0, {false, std::nullopt}},
      {{L"b1", false, false}, 0, {false, std::nullopt}},  // the file name only
      {{L"!a", false, false}, 0, {false, std::nullopt}},  // ! and ] are no wildcards
  };
  for (const Case& c : cases) {
    const SearchOutcome outcome = FindNextRow(kRows, c.start, c.request, kIgnoringCase);
    EXPECT_EQ(outcome.malformed, c.expected.malformed) << c.request.pattern.size();
    EXPECT_EQ(outcome.found, c.expected.found) << c.request.pattern.size() << " from " << c.start;
  }
  EXPECT_FALSE(FindNextRow({}, 0, {L"*", false, false}, kIgnoringCase).found);
}
