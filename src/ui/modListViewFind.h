#pragma once
// The search over a report list view: every row text, every sub-item text, or both, tested
// against a wildcard pattern (ui/Like.h); matches collected in list order.
#include <optional>
#include <string>
#include <vector>

#include "ui/ListView.h"

// What to test (`Scope`).
inline constexpr int kFindRowTexts = 1;
inline constexpr int kFindSubItems = 2;
inline constexpr int kFindRowsAndSubItems = 3;

// How letters compare (`CompareMode`).
inline constexpr int kCompareByCode = 0;       // letter case significant
inline constexpr int kCompareIgnoringCase = 1;  // letter case by the user's locale

// One match. It names positions in the list, so it is valid only until the list changes.
struct ListViewMatch {
  enum class Kind {
    Row,            // the row's own text matched
    RowAndSubItem,  // a sub-item matched, recorded with its row
    SubItem,        // a sub-item matched, recorded alone
  };
  Kind kind = Kind::Row;
  int row = -1;     // position in the current display order
  int subItem = 0;  // the sub-item's column (1..); 0 for a row match

  bool operator==(const ListViewMatch&) const = default;
};

// Tests every text in scope and returns the matches in list order, a row once for its text and
// once for every matching sub-item. Scope other than 1-3 or a compare mode other than 0-1 tests
// nothing. With `selectFirst`, the row of the first match is selected and scrolled into view;
// a bare sub-item as first match selects nothing. A malformed pattern gives nothing at all and
// leaves the selection as it was.
std::optional<std::vector<ListViewMatch>> ListViewFind(ListView& listView,
                                                       const std::wstring& pattern, int scope,
                                                       bool includeRow, int compareMode,
                                                       bool selectFirst);
