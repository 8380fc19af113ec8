#pragma once
// Thin wrapper over a report-style SysListView32. Rows are addressed by their 0-based position
// in the current display order; column 0 is the row's own text, columns 1..3 its sub-items.
// Every row carries a stable id in LVITEM.lParam, so it can be found again after sorting.
// Methods return false / -1 / empty text when the control refuses.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class ListView {
 public:
  ListView() = default;
  explicit ListView(HWND hwnd) : hwnd_(hwnd) {}
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }

  // The image keys in the order of the image list's pictures ("Ready", "Error", ...).
  void SetImageKeys(std::vector<std::wstring> keys) { imageKeys_ = std::move(keys); }

  // Columns
  bool AddColumn(const std::wstring& header, int width);
  int ColumnCount() const;
  std::wstring ColumnText(int column) const;
  int ColumnWidth(int column) const;
  bool SetColumnWidth(int column, int width);
  std::vector<int> ColumnWidths() const;
  bool SetColumnWidths(const std::vector<int>& widths);
  // The columns in the order they are shown (column numbers); empty when the list refuses.
  std::vector<int> ColumnOrder() const;
  bool SetColumnOrder(const std::vector<int>& order);
  // True when the column is too narrow for `text` in a cell (its picture included in the first).
  bool CutsOff(int column, const std::wstring& text) const;

  // Rows
  int Count() const;
  // Inserts a row before `index` (Count() appends). While the list is sorted the row goes to its
  // sorted place instead. Returns the position where it landed, -1 on failure.
  // Ids the list gives rows of its own start here; entries' ids stay below.
  static constexpr LPARAM kOwnIdBase = LPARAM{1} << 62;
  // The row carries `id`; without one it gets an id of the list's own, from a range entries
  // never use.
  int InsertRow(int index, const std::wstring& text, const std::wstring& imageKey, LPARAM id);
  int InsertRow(int index, const std::wstring& text, const std::wstring& imageKey);
  bool RemoveRow(int index);
  // Appends a row at the end even while the list is sorted: for filling many rows, followed by
  // one Resort. Returns the position, -1 on failure.
  int AppendRow(const std::wstring& text, const std::wstring& imageKey, LPARAM id);
  // A row whose texts and picture the list asks its owner for when it draws them
  // (LVN_GETDISPINFO): nothing is copied into the control, and a change costs a repaint.
  // Appended at the end, or at `sortText`'s place while the list is sorted (`sorted` true).
  int InsertOwnerRow(LPARAM id, const std::wstring& sortText = {}, bool sorted = false);
  bool Clear();
  std::wstring Text(int index, int column = 0) const;
  bool SetText(int index, int column, const std::wstring& text);
  std::wstring ImageKey(int index) const;

  // The position of an image key in the image list; I_IMAGENONE for no picture.
  int ImageIndexOf(const std::wstring& key) const;

  // Stable ids
  LPARAM IdOf(int index) const;
  int IndexOfId(LPARAM id) const;

  // Selection and scrolling
  int SelectedIndex() const;  // -1 when no row is selected
  bool Select(int index);     // selects and focuses that row only; -1 clears the selection
  bool EnsureVisible(int index);

  // Sorting by a column's text, ascending, with the user's collation (letter case ignored).
  // Once sorted, rows inserted later take their sorted place.
  bool SortBy(int column);
  bool Resort() { return SortBy(sortKey_); }
  bool IsSorted() const { return sorted_; }
  int SortKey() const { return sortKey_; }

 private:
  int SortedPositionFor(const std::wstring& text) const;

  HWND hwnd_ = nullptr;
  std::vector<std::wstring> imageKeys_;
  LPARAM nextId_ = kOwnIdBase;
  bool sorted_ = false;
  int sortKey_ = 0;
};
