// The entry list's columns: their design, the optional ones shown or hidden, the widths and
// order the window remembers, and the info tip of a row whose cells they cut off.
#include "ui/EntryListView.h"

#include <iterator>
#include <vector>

#include "texts/DetailsTexts.h"
#include "texts/Texts.h"
#include "ui/WindowSettings.h"

namespace {

struct ColumnDesign {
  const wchar_t* header;
  int width;  // pixels at 96 DPI
};
constexpr ColumnDesign kColumns[] = {{Texts::kHeaderDateiname, 120},
                                     {Texts::kHeaderKeyname, 0},
                                     {Texts::kHeaderInstallation, 195},
                                     {Texts::kHeaderVerzeichnis, 150},
                                     {Texts::kHeaderBereich, 75},
                                     {Texts::kHeaderHersteller, 130},
                                     {Texts::kHeaderVersion, 75},
                                     {Texts::kHeaderSignatur, 150},
                                     {Texts::kHeaderHinweis, 160}};
// The Keyname column is shown last, so even a sliver of it never sits between the others.
constexpr int kColumnOrder[] = {0, 2, 3, 4, 5, 6, 7, 8, 1};
static_assert(std::size(kColumnOrder) == std::size(kColumns));

}  // namespace

// Info tips show a row's cut-off cells whole; the columns can be dragged into another order.
void EntryListView::SetUp(UINT dpi) {
  list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP |
                         LVS_EX_INFOTIP | LVS_EX_HEADERDRAGDROP);
  if (list_.ColumnCount() == 0) {
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
      const int width = MulDiv(kColumns[column].width, static_cast<int>(dpi), 96);
      if (IsDetailColumn(column)) detailWidths_[column - kFirstDetailColumn] = width;
      list_.AddColumn(kColumns[column].header, IsDetailColumn(column) ? 0 : width);
    }
  }
  HideKeynameColumn();
}

void EntryListView::ShowDetailColumns(uint32_t shown) {
  for (int column = kFirstDetailColumn; column < kFirstDetailColumn + kDetailColumns; ++column) {
    const bool show = (shown & DetailColumnBit(column)) != 0;
    int& width = detailWidths_[column - kFirstDetailColumn];
    if (!show && (shownDetails_ & DetailColumnBit(column)) != 0 && list_.ColumnWidth(column) > 0)
      width = list_.ColumnWidth(column);
    list_.SetColumnWidth(column, show ? width : 0);
  }
  shownDetails_ = shown & ((uint32_t{1} << kDetailColumns) - 1);
}

// ImageList1 serves the list's icons and small icons alike.
void EntryListView::SetImages(HIMAGELIST images) {
  list_.SetImageList(images, LVSIL_SMALL);
  list_.SetImageList(images, LVSIL_NORMAL);
}

// The columns keep the widths the user gave them, scaled.
void EntryListView::ScaleColumns(UINT oldDpi, UINT newDpi) {
  const auto scaled = [&](int width) {
    return MulDiv(width, static_cast<int>(newDpi), static_cast<int>(oldDpi));
  };
  for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column)
    list_.SetColumnWidth(column, scaled(list_.ColumnWidth(column)));
  for (int& width : detailWidths_) width = scaled(width);
}

void EntryListView::HideKeynameColumn() {
  list_.SetColumnWidth(kColumnKeyname, 0);
  ApplyColumnOrder(list_.ColumnOrder());
}

// ---- Column widths and order ----

std::vector<int> EntryListView::ColumnWidths() const {
  std::vector<int> widths;
  for (int column = 0; column < list_.ColumnCount(); ++column)
    widths.push_back(list_.ColumnWidth(column));
  return widths;
}

void EntryListView::SetColumnWidths(const std::vector<int>& widths) {
  for (size_t column = 0; column < widths.size(); ++column)
    list_.SetColumnWidth(static_cast<int>(column), widths[column]);
}

std::vector<int> EntryListView::DesignColumnWidths(UINT dpi) const {
  std::vector<int> widths = ColumnWidths();
  for (int& width : widths) width = MulDiv(width, 96, static_cast<int>(dpi));
  return widths;
}

void EntryListView::SetDesignColumnWidths(const std::vector<int>& widths, UINT dpi) {
  if (widths.size() != std::size(kColumns)) return;
  for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
    if (column == kColumnKeyname) continue;
    const int width = MulDiv(widths[static_cast<size_t>(column)], static_cast<int>(dpi), 96);
    if (!IsDetailColumn(column)) {
      list_.SetColumnWidth(column, width);
      continue;
    }
    // A hidden optional column was saved as 0; the width it had when shown stays for its return.
    int& shownWidth = detailWidths_[column - kFirstDetailColumn];
    if (width > 0) shownWidth = width;
    list_.SetColumnWidth(column, (shownDetails_ & DetailColumnBit(column)) != 0 ? shownWidth : 0);
  }
}

void EntryListView::FitColumns(int before, int after) {
  if (before > 0 && after > 0 && after != before)
    SetColumnWidths(ScaledWidths(ColumnWidths(), before, after));
}

std::vector<int> EntryListView::ColumnOrder() const {
  return WithColumnLast(list_.ColumnOrder(), kColumnKeyname);
}

void EntryListView::ApplyColumnOrder(std::vector<int> order) {
  if (!IsColumnOrder(order) || order.size() != std::size(kColumnOrder))
    order.assign(std::begin(kColumnOrder), std::end(kColumnOrder));
  order = WithColumnLast(std::move(order), kColumnKeyname);
  list_.SetColumnOrder(order.data(), static_cast<int>(order.size()));
}

const wchar_t* EntryListView::ColumnHeader(int column) {
  return column >= 0 && column < static_cast<int>(std::size(kColumns)) ? kColumns[column].header
                                                                        : L"";
}

// The tip names each cell of the row its column cuts off, with the column's header; a row whose
// cells all fit has none.
void EntryListView::FillInfoTip(NMLVGETINFOTIPW& tip) const {
  if (tip.pszText == nullptr || tip.cchTextMax <= 0) return;
  std::wstring text;
  if (const AppPathEntry* entry = EntryOf(IdAt(tip.iItem)))
    for (const int column : list_.ColumnOrder()) {
      const std::wstring cell = RowText(*entry, column);
      if (list_.ColumnWidth(column) <= 0 || cell.empty() || !CutsOff(column, cell)) continue;
      if (!text.empty()) text += L"\n";
      text += std::wstring(ColumnHeader(column)) + L": " + cell;
    }
  lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
}

// The list leaves a few pixels on either side of a cell's text, and the first column's picture.
bool EntryListView::CutsOff(int column, const std::wstring& text) const {
  constexpr int kCellMargins = 12;
  int needed = list_.StringWidth(text) + kCellMargins;
  if (column == kColumnFileName) needed += GetSystemMetrics(SM_CXSMICON) + kCellMargins / 2;
  return needed > list_.ColumnWidth(column);
}
