// The entry list's own notifications: a header click sorts, a row that gains the selection is
// shown in the panel (whether by arrow key, page key, click or a command; Root::OnRowChosen asks
// first when the panel holds typed texts), a row's cut-off cells show whole in its info tip, and
// the hidden Keyname column cannot be dragged open. The context menu, however it is asked for,
// arrives once as WM_CONTEXTMENU.
#include <windowsx.h>

#include "ui/Root.h"

namespace {

bool GainsSelection(const NMLISTVIEW& change) {
  return (change.uChanged & LVIF_STATE) != 0 && (change.uNewState & LVIS_SELECTED) != 0 &&
         (change.uOldState & LVIS_SELECTED) == 0;
}

bool WidensColumn(UINT code) {
  return code == HDN_BEGINTRACKW || code == HDN_BEGINTRACKA || code == HDN_DIVIDERDBLCLICKW ||
         code == HDN_DIVIDERDBLCLICKA;
}

}  // namespace

void Root::SortByColumn(int column) { lstFileList_.SortBy(column); }

LRESULT Root::OnListNotify(const NMHDR& header) {
  switch (header.code) {
    case LVN_GETDISPINFOW:
      // The list hands over its own buffer for the answer.
      return OnGetDispInfo(const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)));
    case LVN_ITEMCHANGED:
      if (const auto& change = reinterpret_cast<const NMLISTVIEW&>(header); GainsSelection(change))
        OnRowChosen(change.iItem);
      return 0;
    case NM_DBLCLK:
      // Shows the row's saved texts again, unless that would drop typed ones.
      if (!leavePending_ && !PanelHasUnsavedEdits()) LoadSelectedRow();
      return 0;
    case LVN_GETINFOTIPW:
      FillInfoTip(const_cast<NMLVGETINFOTIPW&>(reinterpret_cast<const NMLVGETINFOTIPW&>(header)));
      return 0;
    case LVN_COLUMNCLICK:
      SortByColumn(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
      return 0;
    default:
      return 0;
  }
}

// The tip names each cell of the row its column cuts off, with the column's header; a row whose
// cells all fit has none.
void Root::FillInfoTip(NMLVGETINFOTIPW& tip) const {
  if (tip.pszText == nullptr || tip.cchTextMax <= 0) return;
  std::wstring text;
  if (const AppPathEntry* entry = EntryOfRow(tip.iItem))
    for (const int column : lstFileList_.ColumnOrder()) {
      const std::wstring cell = CellText(*entry, column);
      if (lstFileList_.ColumnWidth(column) <= 0 || cell.empty() ||
          !lstFileList_.CutsOff(column, cell))
        continue;
      if (!text.empty()) text += L"\n";
      text += lstFileList_.ColumnText(column) + L": " + cell;
    }
  lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
}

// The Keyname column stays at width 0: its divider can be neither dragged nor double-clicked.
LRESULT Root::OnHeaderNotify(const NMHDR& header) {
  if (!WidensColumn(header.code)) return DefWindowProcW(hwnd_, WM_NOTIFY, 0,
                                                        reinterpret_cast<LPARAM>(&header));
  return reinterpret_cast<const NMHEADERW&>(header).iItem == kColumnKeyname ? TRUE : FALSE;
}

// From the keyboard (menu key, Shift+F10) the menu opens at the selected row, or at the list's
// corner when none is selected; from the mouse where the button was released.
void Root::OnContextMenu(HWND source, LPARAM where) {
  if (source != lstFileList_.Handle()) return;
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (where == -1) at = KeyboardMenuPoint();
  ++commandMenuOpenings_;
  lastMenuPoint_ = at;
  ShowCommandMenu(at);
}

POINT Root::KeyboardMenuPoint() const {
  const HWND list = lstFileList_.Handle();
  POINT at{0, 0};
  RECT row{};
  row.left = LVIR_LABEL;
  const int selected = lstFileList_.SelectedIndex();
  if (selected >= 0 && SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(selected),
                                    reinterpret_cast<LPARAM>(&row)))
    at = {row.left, row.bottom};
  ClientToScreen(list, &at);
  return at;
}
