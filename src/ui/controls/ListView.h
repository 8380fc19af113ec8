#pragma once
// Thin wrapper over a report-style SysListView32: one message per method, results as the control
// gives them (false, -1 or empty when it refuses). Rows are addressed by their 0-based position
// in the current display order; column 0 is the row's own text, the further columns its
// sub-items. What a row shows and in which order rows stand is its owner's business.
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
  HWND Header() const { return ListView_GetHeader(hwnd_); }

  bool SetExtendedStyle(DWORD style);
  bool SetImageList(HIMAGELIST images, int which);  // LVSIL_SMALL, LVSIL_NORMAL

  // Columns
  bool AddColumn(const std::wstring& header, int width);
  int ColumnCount() const;
  int ColumnWidth(int column) const;
  bool SetColumnWidth(int column, int width);
  bool SetColumnOrder(const int* order, int count);
  // The columns in the order they are shown (column numbers); empty when the list refuses.
  std::vector<int> ColumnOrder() const;
  // How wide `text` is drawn in the list's font, in pixels.
  int StringWidth(const std::wstring& text) const;

  // Rows
  int Count() const;
  // A list that holds no rows of its own (LVS_OWNERDATA): it has `count` rows, the owner answers
  // for each by its position. Selection and scroll position stay where they are.
  bool SetVirtualRowCount(int count);
  // Inserts a row with its own text before `index`; the row's position, -1 on failure.
  int InsertRow(int index, const std::wstring& text);
  bool RemoveRow(int index);
  bool Clear();
  std::wstring Text(int index, int column = 0) const;
  bool SetText(int index, int column, const std::wstring& text);
  int ImageIndex(int index) const;  // I_IMAGENONE when the row shows none
  bool RowRect(int index, RECT& rect, int part) const;  // LVIR_LABEL, LVIR_BOUNDS, ...
  bool Checked(int index) const;
  bool SetChecked(int index, bool checked);
  // The row shows no check box at all (LVS_EX_CHECKBOXES lists).
  bool HideCheckBox(int index);

  // Selection, scrolling and order
  int SelectedIndex() const;  // -1 when no row is selected
  bool Select(int index);     // selects and focuses that row only; -1 clears the selection
  bool EnsureVisible(int index);
  bool Redraw();

 private:
  bool ValidRow(int index) const { return index >= 0 && index < Count(); }
  int NextRow(UINT which) const;  // the first row with that state (LVNI_SELECTED, ...), or -1
  bool SetRowState(int index, UINT state, UINT mask);

  HWND hwnd_ = nullptr;
};
