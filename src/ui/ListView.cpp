#include "ui/ListView.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace {

// The user's collation with letter case ignored; an ordinal comparison when the locale refuses,
// so the order stays total.
int CompareCellTexts(const std::wstring& a, const std::wstring& b) {
  const int r = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.c_str(),
                                static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                nullptr, nullptr, 0);
  if (r != 0) return r - CSTR_EQUAL;
  return a.compare(b);
}

struct SortEntry {
  std::wstring text;
  int oldPosition = 0;
};

// Ties keep their previous order, so re-sorting never shuffles rows with equal texts.
int CALLBACK CompareById(LPARAM id1, LPARAM id2, LPARAM context) {
  const auto& entries = *reinterpret_cast<const std::unordered_map<LPARAM, SortEntry>*>(context);
  const auto a = entries.find(id1);
  const auto b = entries.find(id2);
  if (a == entries.end() || b == entries.end()) return 0;
  const int byText = CompareCellTexts(a->second.text, b->second.text);
  if (byText != 0) return byText;
  return a->second.oldPosition - b->second.oldPosition;
}

bool ValidRow(const ListView& list, int index) { return index >= 0 && index < list.Count(); }

}  // namespace

// ---- Columns ----

bool ListView::AddColumn(const std::wstring& header, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<wchar_t*>(header.c_str());
  column.cx = width;
  column.iSubItem = ColumnCount();
  const LRESULT at =
      SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column.iSubItem),
                   reinterpret_cast<LPARAM>(&column));
  return at == column.iSubItem;
}

int ListView::ColumnCount() const {
  const HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
  if (header == nullptr) return 0;
  const LRESULT n = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
  return n < 0 ? 0 : static_cast<int>(n);
}

std::wstring ListView::ColumnText(int column) const {
  if (column < 0 || column >= ColumnCount()) return {};
  wchar_t buffer[260] = {};
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT;
  info.pszText = buffer;
  info.cchTextMax = static_cast<int>(std::size(buffer));
  if (!SendMessageW(hwnd_, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                    reinterpret_cast<LPARAM>(&info)))
    return {};
  return info.pszText;
}

int ListView::ColumnWidth(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

bool ListView::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount() || width < 0) return false;
  return SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                      MAKELPARAM(width, 0)) != FALSE;
}

std::vector<int> ListView::ColumnWidths() const {
  std::vector<int> widths;
  for (int column = 0; column < ColumnCount(); ++column) widths.push_back(ColumnWidth(column));
  return widths;
}

bool ListView::SetColumnWidths(const std::vector<int>& widths) {
  bool all = true;
  for (size_t column = 0; column < widths.size(); ++column)
    all = SetColumnWidth(static_cast<int>(column), widths[column]) && all;
  return all;
}

std::vector<int> ListView::ColumnOrder() const {
  std::vector<int> order(static_cast<size_t>(ColumnCount()));
  if (order.empty() || !SendMessageW(hwnd_, LVM_GETCOLUMNORDERARRAY, order.size(),
                                     reinterpret_cast<LPARAM>(order.data())))
    return {};
  return order;
}

bool ListView::SetColumnOrder(const std::vector<int>& order) {
  if (order.size() != static_cast<size_t>(ColumnCount())) return false;
  return SendMessageW(hwnd_, LVM_SETCOLUMNORDERARRAY, order.size(),
                      reinterpret_cast<LPARAM>(order.data())) != FALSE;
}

// The list leaves a few pixels on either side of a cell's text, and the first column's picture.
bool ListView::CutsOff(int column, const std::wstring& text) const {
  constexpr int kCellMargins = 12;
  int needed = static_cast<int>(
                   SendMessageW(hwnd_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str()))) +
               kCellMargins;
  if (column == 0) needed += GetSystemMetrics(SM_CXSMICON) + kCellMargins / 2;
  return needed > ColumnWidth(column);
}

// ---- Rows ----

int ListView::Count() const {
  if (hwnd_ == nullptr) return 0;
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::ImageIndexOf(const std::wstring& key) const {
  const auto it = std::find(imageKeys_.begin(), imageKeys_.end(), key);
  return it == imageKeys_.end() ? I_IMAGENONE : static_cast<int>(it - imageKeys_.begin());
}

// Binary search over the rows' texts in the sort column: the new row goes behind the rows that
// compare equal, as an append would. A new row's sub-items are still empty, so when the list is
// sorted by a sub-item column the row is placed by the empty text.
int ListView::SortedPositionFor(const std::wstring& text) const {
  const std::wstring key = sortKey_ == 0 ? text : std::wstring();
  int low = 0;
  int high = Count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (CompareCellTexts(Text(middle, sortKey_), key) <= 0)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

int ListView::InsertRow(int index, const std::wstring& text, const std::wstring& imageKey) {
  const int at = InsertRow(index, text, imageKey, nextId_);
  if (at >= 0) ++nextId_;
  return at;
}

int ListView::InsertRow(int index, const std::wstring& text, const std::wstring& imageKey,
                        LPARAM id) {
  if (hwnd_ == nullptr) return -1;
  const int count = Count();
  if (sorted_)
    index = SortedPositionFor(text);
  else if (index < 0 || index > count)
    return -1;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  item.iImage = ImageIndexOf(imageKey);
  item.lParam = id;
  const LRESULT at = SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return at < 0 ? -1 : static_cast<int>(at);
}

int ListView::AppendRow(const std::wstring& text, const std::wstring& imageKey, LPARAM id) {
  const bool sorted = sorted_;
  sorted_ = false;
  const int at = InsertRow(Count(), text, imageKey, id);
  sorted_ = sorted;
  return at;
}

int ListView::InsertOwnerRow(LPARAM id, const std::wstring& sortText, bool sorted) {
  if (hwnd_ == nullptr) return -1;
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = sorted && sorted_ ? SortedPositionFor(sortText) : Count();
  item.pszText = LPSTR_TEXTCALLBACKW;
  item.iImage = I_IMAGECALLBACK;
  item.lParam = id;
  const auto at = static_cast<int>(
      SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (at < 0) return -1;
  // Sub-items ask too; one that was never given a text would stay empty.
  LVITEMW sub{};
  sub.pszText = LPSTR_TEXTCALLBACKW;
  for (sub.iSubItem = 1; sub.iSubItem < ColumnCount(); ++sub.iSubItem)
    SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&sub));
  return at;
}

bool ListView::RemoveRow(int index) {
  if (!ValidRow(*this, index)) return false;
  return SendMessageW(hwnd_, LVM_DELETEITEM, static_cast<WPARAM>(index), 0) != FALSE;
}

bool ListView::Clear() {
  if (hwnd_ == nullptr) return false;
  return SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0) != FALSE;
}

std::wstring ListView::Text(int index, int column) const {
  if (!ValidRow(*this, index) || column < 0 || column >= ColumnCount()) return {};
  // LVM_GETITEMTEXT reports only how much it copied, so grow until the text fits.
  std::wstring buffer(256, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const LRESULT n = SendMessageW(hwnd_, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&item));
    if (n < 0) return {};
    if (static_cast<size_t>(n) + 1 < buffer.size()) {
      buffer.resize(static_cast<size_t>(n));
      return buffer;
    }
    if (buffer.size() >= 1u << 20) return buffer.substr(0, static_cast<size_t>(n));
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

bool ListView::SetText(int index, int column, const std::wstring& text) {
  if (!ValidRow(*this, index) || column < 0 || column >= ColumnCount()) return false;
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  return SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item)) != FALSE;
}

std::wstring ListView::ImageKey(int index) const {
  if (!ValidRow(*this, index)) return {};
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  if (!SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
  if (item.iImage < 0 || item.iImage >= static_cast<int>(imageKeys_.size())) return {};
  return imageKeys_[static_cast<size_t>(item.iImage)];
}

// ---- Stable ids ----

LPARAM ListView::IdOf(int index) const {
  if (!ValidRow(*this, index)) return 0;
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return item.lParam;
}

int ListView::IndexOfId(LPARAM id) const {
  if (hwnd_ == nullptr || id == 0) return -1;
  LVFINDINFOW find{};
  find.flags = LVFI_PARAM;
  find.lParam = id;
  return static_cast<int>(
      SendMessageW(hwnd_, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

// ---- Selection and scrolling ----

int ListView::SelectedIndex() const {
  if (hwnd_ == nullptr) return -1;
  return static_cast<int>(
      SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool ListView::Select(int index) {
  if (hwnd_ == nullptr || (index != -1 && !ValidRow(*this, index))) return false;
  // Only the rows that are selected or focused lose it: the control's "every row" would visit,
  // and notify about, all of them.
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  none.state = 0;
  const auto clear = [&](UINT which) {
    const LRESULT row = SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which);
    return row >= 0 && SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                                    reinterpret_cast<LPARAM>(&none));
  };
  for (int guard = Count(); guard >= 0 && SendMessageW(hwnd_, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
       --guard)
    if (!clear(LVNI_SELECTED)) break;
  clear(LVNI_FOCUSED);
  if (index == -1) return true;
  LVITEMW chosen{};
  chosen.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  chosen.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (!SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&chosen)))
    return false;
  SendMessageW(hwnd_, LVM_SETSELECTIONMARK, 0, index);
  return SelectedIndex() == index;
}

bool ListView::EnsureVisible(int index) {
  if (!ValidRow(*this, index)) return false;
  return SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE) != FALSE;
}

// ---- Sorting ----

// The texts are read once, keyed by the rows' stable ids, so the comparison sends no messages
// and is unaffected by rows moving while the control sorts.
bool ListView::SortBy(int column) {
  if (hwnd_ == nullptr || column < 0 || column >= ColumnCount()) return false;
  std::unordered_map<LPARAM, SortEntry> entries;
  const int count = Count();
  entries.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) entries[IdOf(i)] = SortEntry{Text(i, column), i};
  if (!SendMessageW(hwnd_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&entries),
                    reinterpret_cast<LPARAM>(&CompareById)))
    return false;
  sortKey_ = column;
  sorted_ = true;
  return true;
}
