#pragma once
// What the window remembers per user between runs (below HKEY_CURRENT_USER\Software\Velmarin):
// its place and size, and the entry list's column widths and order, each stored as a text of
// numbers separated by commas, which regedit shows as it is. Platform-free.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// "120,0,205" for {120, 0, 205}.
std::wstring FormatNumbers(const std::vector<int>& numbers);
// Exactly `count` whole numbers separated by commas (blanks around them allowed); nothing for
// any other text.
std::optional<std::vector<int>> ParseNumbers(std::wstring_view text, size_t count);

// The window's normal (not maximised) rectangle and whether it was maximised.
struct SavedPlacement {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool maximized = false;

  bool operator==(const SavedPlacement&) const = default;
};
std::wstring FormatPlacement(const SavedPlacement& placement);
// Nothing for a text that is no placement or a rectangle without area.
std::optional<SavedPlacement> ParsePlacement(std::wstring_view text);

// True when `order` holds each of 0 .. size-1 once: a column order the list can take.
bool IsColumnOrder(const std::vector<int>& order);
// The same order with `column` moved to the end (the hidden column always stands last).
std::vector<int> WithColumnLast(std::vector<int> order, int column);

// The widths scaled from a total of `from` pixels to `to`, keeping their proportions; rounding
// errors do not add up, so the scaled widths end where the scaled total does. A hidden column
// (width 0) stays hidden.
std::vector<int> ScaledWidths(const std::vector<int>& widths, int from, int to);
