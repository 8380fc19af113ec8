#pragma once
// The search behind "Suchen ..." and "Weitersuchen": the rows' own data, not the list control,
// against a wildcard pattern (the syntax of Like.h). Platform-free: how letters compare is
// passed in.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Like.h"

struct SearchRequest {
  std::wstring pattern;
  bool allColumns = false;  // false: the file name only
  bool matchCase = false;   // true: letters compare by their codes

  bool operator==(const SearchRequest&) const = default;
};

// A row's texts: file name, key name, installation, directory.
using RowTexts = std::array<std::wstring_view, 4>;

struct SearchOutcome {
  bool malformed = false;       // the pattern has a [ without ] or a descending range
  std::optional<size_t> found;  // the matching row's position
};

// The pattern a typed text stands for: a text without wildcard characters (* ? # [) finds itself
// anywhere in a field, as Explorer's search does; with one it must match the whole field.
std::wstring SearchPatternFor(std::wstring_view typed);

// The first row after `start` (the rows in the order the list shows them; wrapping round to the
// first row, `start` itself last) that matches; `start` past the end begins at the first row.
SearchOutcome FindNextRow(const std::vector<RowTexts>& rows, size_t start,
                          const SearchRequest& request, const LikeCharRules& ignoringCase);
