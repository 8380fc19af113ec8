#pragma once
// The search behind "Suchen ..." and "Weitersuchen": the entries' own data, not the list
// control, against a wildcard pattern (the syntax of Like.h). The entries are matched first, in
// their texts as stored or, ignoring letter case, in the folds the catalogue keeps; only then
// are rows looked at. Platform-free: how letters compare and the list's rows are passed in.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/Catalogue.h"
#include "ui/Like.h"

struct SearchRequest {
  std::wstring pattern;
  bool allColumns = false;  // false: the file name only
  bool matchCase = false;   // true: letters compare by their codes

  bool operator==(const SearchRequest&) const = default;
};

struct SearchOutcome {
  bool malformed = false;       // the pattern has a [ without ] or a descending range
  std::optional<size_t> found;  // the matching row's position
};

// The pattern a typed text stands for: a text without wildcard characters (* ? # [) finds itself
// anywhere in a field, as Explorer's search does; with one it must match the whole field.
std::wstring SearchPatternFor(std::wstring_view typed);

// The list's rows in the order it shows them.
class SearchRows {
 public:
  virtual ~SearchRows() = default;
  virtual size_t Count() const = 0;
  // The id a row carries (0 or an id of no entry for a row with no data, such as a new entry
  // not yet saved).
  virtual EntryId IdOfRow(size_t row) const = 0;
  // The row of an entry; nothing when it has none.
  virtual std::optional<size_t> RowOfId(EntryId id) const = 0;
};

// True when one of the entry's texts the request looks at matches `pattern`, compiled with the
// request's rules (codes or the catalogue's fold).
bool EntryMatches(const AppPathEntry& entry, const LikePattern& pattern,
                  const SearchRequest& request);

// The first row after `start` (wrapping round to the first row, `start` itself last) whose
// entry matches; `start` past the end begins at the first row. A row with no entry has no texts:
// it matches when the empty text does.
SearchOutcome FindNextRow(const Catalogue& catalogue, const SearchRows& rows, size_t start,
                          const SearchRequest& request, const LikeCharRules& ignoringCase);
