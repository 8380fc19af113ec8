#include "ui/WindowSettings.h"

#include <algorithm>
#include <cmath>

std::wstring FormatNumbers(const std::vector<int>& numbers) {
  std::wstring text;
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) text += L',';
    text += std::to_wstring(numbers[i]);
  }
  return text;
}

namespace {

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
  return text;
}

// A whole number of at most nine digits, with an optional minus sign: nothing larger is a
// position or width on any screen, and it cannot overflow.
std::optional<int> ParseNumber(std::wstring_view text) {
  text = Trimmed(text);
  bool negative = false;
  if (!text.empty() && text.front() == L'-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
  }
  return negative ? -value : value;
}

}  // namespace

std::optional<std::vector<int>> ParseNumbers(std::wstring_view text, size_t count) {
  std::vector<int> numbers;
  while (true) {
    const size_t comma = text.find(L',');
    const std::optional<int> number = ParseNumber(text.substr(0, comma));
    if (!number) return std::nullopt;
    numbers.push_back(*number);
    if (comma == std::wstring_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (numbers.size() != count) return std::nullopt;
  return numbers;
}

std::wstring FormatPlacement(const SavedPlacement& p) {
  return FormatNumbers({p.left, p.top, p.right, p.bottom, p.maximized ? 1 : 0});
}

std::optional<SavedPlacement> ParsePlacement(std::wstring_view text) {
  const std::optional<std::vector<int>> n = ParseNumbers(text, 5);
  if (!n) return std::nullopt;
  const std::vector<int>& v = *n;
  if (v[2] <= v[0] || v[3] <= v[1] || (v[4] != 0 && v[4] != 1)) return std::nullopt;
  return SavedPlacement{v[0], v[1], v[2], v[3], v[4] == 1};
}

bool IsColumnOrder(const std::vector<int>& order) {
  std::vector<bool> seen(order.size(), false);
  for (const int column : order) {
    if (column < 0 || static_cast<size_t>(column) >= order.size() || seen[column]) return false;
    seen[column] = true;
  }
  return true;
}

std::vector<int> WithColumnLast(std::vector<int> order, int column) {
  const auto at = std::find(order.begin(), order.end(), column);
  if (at != order.end()) std::rotate(at, at + 1, order.end());
  return order;
}

std::vector<int> ScaledWidths(const std::vector<int>& widths, int from, int to) {
  if (from <= 0 || to <= 0) return widths;
  std::vector<int> scaled;
  long long before = 0;  // the unscaled sum of the widths so far
  int end = 0;           // where the previous scaled column ends
  for (const int width : widths) {
    before += std::max(width, 0);
    const int next = static_cast<int>(std::llround(static_cast<double>(before) * to / from));
    scaled.push_back(width <= 0 ? 0 : std::max(next - end, 1));
    end = std::max(next, end + (width <= 0 ? 0 : 1));
  }
  return scaled;
}
