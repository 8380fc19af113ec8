#include "ui/controls/ListView.h"

#include <algorithm>

// ---- Styles and columns ----

bool ListView::SetExtendedStyle(DWORD style) {
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, style, style);
  return hwnd_ != nullptr;
}

bool ListView::SetImageList(HIMAGELIST images, int which) {
  SendMessageW(hwnd_, LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(images));
  return hwnd_ != nullptr;
}

bool ListView::AddColumn(const std::wstring& header, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<wchar_t*>(header.c_str());
  column.cx = width;
  column.iSubItem = ColumnCount();
  return SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column.iSubItem),
                      reinterpret_cast<LPARAM>(&column)) == column.iSubItem;
}

int ListView::ColumnCount() const {
  const HWND header = Header();
  return header == nullptr ? 0 : static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

int ListView::ColumnWidth(int column) const {
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

bool ListView::SetColumnWidth(int column, int width) {
  return SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                      MAKELPARAM(width, 0)) != FALSE;
}

bool ListView::SetColumnOrder(const int* order, int count) {
  return SendMessageW(hwnd_, LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(count),
                      reinterpret_cast<LPARAM>(order)) != FALSE;
}

std::vector<int> ListView::ColumnOrder() const {
  std::vector<int> order(static_cast<size_t>(std::max(ColumnCount(), 0)));
  if (order.empty() || !SendMessageW(hwnd_, LVM_GETCOLUMNORDERARRAY, order.size(),
                                     reinterpret_cast<LPARAM>(order.data())))
    return {};
  return order;
}

int ListView::StringWidth(const std::wstring& text) const {
  return static_cast<int>(
      SendMessageW(hwnd_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

// ---- Rows ----

int ListView::Count() const {
  return hwnd_ == nullptr ? 0 : static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0));
}

int ListView::InsertRow(int index, const std::wstring& text) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  return static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListView::RemoveRow(int index) {
  return ValidRow(index) &&
         SendMessageW(hwnd_, LVM_DELETEITEM, static_cast<WPARAM>(index), 0) != FALSE;
}

bool ListView::SetVirtualRowCount(int count) {
  return SendMessageW(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count),
                      LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL) != FALSE;
}

bool ListView::Clear() {
  return hwnd_ != nullptr && SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0) != FALSE;
}

std::wstring ListView::Text(int index, int column) const {
  if (!ValidRow(index)) return {};
  // LVM_GETITEMTEXT reports only how much it copied, so the buffer grows until the text fits.
  std::wstring buffer(256, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const auto copied = static_cast<size_t>(SendMessageW(
        hwnd_, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    if (copied + 1 < buffer.size() || buffer.size() >= 1u << 20) return buffer.substr(0, copied);
    buffer.assign(buffer.size() * 4, L'\0');
  }
}

bool ListView::SetText(int index, int column, const std::wstring& text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  return SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item)) != FALSE;
}

int ListView::ImageIndex(int index) const {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  return SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage
                                                                                : I_IMAGENONE;
}

bool ListView::RowRect(int index, RECT& rect, int part) const {
  rect.left = part;
  return SendMessageW(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&rect)) != FALSE;
}

bool ListView::Checked(int index) const { return ListView_GetCheckState(hwnd_, index) != FALSE; }

bool ListView::SetChecked(int index, bool checked) {
  ListView_SetCheckState(hwnd_, index, checked ? TRUE : FALSE);
  return Checked(index) == checked;
}

bool ListView::HideCheckBox(int index) {
  SetRowState(index, INDEXTOSTATEIMAGEMASK(0), LVIS_STATEIMAGEMASK);
  return ListView_GetItemState(hwnd_, index, LVIS_STATEIMAGEMASK) == 0;
}

// ---- Selection, scrolling and order ----

// Asking the control for its selected row walks every row before it; a single-selection list's
// selection mark, when that row is selected, is the answer without the walk.
int ListView::SelectedIndex() const {
  if (hwnd_ == nullptr) return -1;
  if ((GetWindowLongPtrW(hwnd_, GWL_STYLE) & LVS_SINGLESEL) != 0) {
    const auto mark = static_cast<int>(SendMessageW(hwnd_, LVM_GETSELECTIONMARK, 0, 0));
    if (mark >= 0 && mark < Count() && ListView_GetItemState(hwnd_, mark, LVIS_SELECTED) != 0)
      return mark;
  }
  return NextRow(LVNI_SELECTED);
}

// Only the rows that are selected or focused lose it: the control's "every row" would visit,
// and notify about, all of them.
bool ListView::Select(int index) {
  if (index != -1 && !ValidRow(index)) return false;
  constexpr UINT kStates = LVIS_SELECTED | LVIS_FOCUSED;
  // The selected row selected again: nothing changes and nothing is announced.
  if (index != -1 && ListView_GetItemState(hwnd_, index, kStates) == kStates && SelectedIndex() == index)
    return true;
  int row = NextRow(LVNI_SELECTED);
  for (int guard = Count(); row >= 0 && guard >= 0; row = NextRow(LVNI_SELECTED), --guard)
    if (!SetRowState(row, 0, kStates)) break;
  if (const int focused = NextRow(LVNI_FOCUSED); focused >= 0) SetRowState(focused, 0, kStates);
  if (index == -1) return true;
  SetRowState(index, kStates, kStates);
  SendMessageW(hwnd_, LVM_SETSELECTIONMARK, 0, index);
  return SelectedIndex() == index;
}

int ListView::NextRow(UINT which) const {
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which));
}

bool ListView::SetRowState(int index, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  return SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&item)) != FALSE;
}

bool ListView::EnsureVisible(int index) {
  return ValidRow(index) &&
         SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE) != FALSE;
}

bool ListView::Redraw() { return InvalidateRect(hwnd_, nullptr, FALSE) != FALSE; }
