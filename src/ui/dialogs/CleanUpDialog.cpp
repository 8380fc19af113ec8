#include "ui/dialogs/CleanUpDialog.h"

#include <commctrl.h>

#include "texts/Texts.h"
#include "ui/dialogs/DialogIds.h"
#include "ui/dialogs/ModalDialog.h"

namespace CleanUpDialog {
namespace {

struct State {
  const std::vector<CleanUpRow>* rows;
  std::vector<bool> checked;
  bool accepted = false;
};

constexpr int kColumnWidths[] = {90, 105, 180, 200};  // pixels at 96 DPI; the first holds the box too

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_CLEANUP_LIST); }

void AddColumns(HWND dialog) {
  const wchar_t* headers[] = {Texts::kCleanUpHeaderScope, Texts::kCleanUpHeaderName,
                              Texts::kCleanUpHeaderStatus, Texts::kCleanUpHeaderInstallation};
  const int dpi = static_cast<int>(GetDpiForWindow(dialog) == 0 ? 96 : GetDpiForWindow(dialog));
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(headers[i]);
    column.cx = MulDiv(kColumnWidths[i], dpi, 96);
    SendMessageW(List(dialog), LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
}

void SetCell(HWND list, int row, int column, const std::wstring& text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void AddRows(HWND dialog, State& state) {
  const HWND list = List(dialog);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  for (size_t i = 0; i < state.rows->size(); ++i) {
    const CleanUpRow& row = (*state.rows)[i];
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<wchar_t*>(row.scope.c_str());
    const int at = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0,
                                                 reinterpret_cast<LPARAM>(&item)));
    SetCell(list, at, 1, row.name);
    SetCell(list, at, 2, row.status);
    SetCell(list, at, 3, row.installation);
    ListView_SetCheckState(list, at, row.removable ? TRUE : FALSE);
  }
  state.checked.assign(state.rows->size(), false);
}

void Initialize(HWND dialog, State& state) {
  SetWindowTextW(dialog, Texts::kCleanUpCaption);
  SetDlgItemTextW(dialog, IDC_CLEANUP_TEXT, Texts::kCleanUpExplanation);
  SetDlgItemTextW(dialog, IDOK, Texts::kCleanUpOk);
  SetDlgItemTextW(dialog, IDCANCEL, Texts::kCancelButton);
  AddColumns(dialog);
  AddRows(dialog, state);
}

// A row that may not be removed keeps its box empty whatever is clicked.
bool RefusesCheck(const State& state, const NMLISTVIEW& change) {
  if (change.iItem < 0 || static_cast<size_t>(change.iItem) >= state.rows->size()) return false;
  if ((change.uChanged & LVIF_STATE) == 0) return false;
  const bool checking = (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
  return checking && !(*state.rows)[static_cast<size_t>(change.iItem)].removable;
}

// Rows that may not be removed are drawn in the grey of disabled text.
LRESULT GreyRefusedRows(const State& state, NMLVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const size_t row = draw.nmcd.dwItemSpec;
  if (row < state.rows->size() && !(*state.rows)[row].removable)
    draw.clrText = GetSysColor(COLOR_GRAYTEXT);
  return CDRF_DODEFAULT;
}

INT_PTR OnNotify(HWND dialog, NMHDR& header, State& state) {
  if (header.idFrom != IDC_CLEANUP_LIST) return FALSE;
  LRESULT answer = 0;
  if (header.code == LVN_ITEMCHANGING)
    answer = RefusesCheck(state, reinterpret_cast<NMLISTVIEW&>(header)) ? TRUE : FALSE;
  else if (header.code == NM_CUSTOMDRAW)
    answer = GreyRefusedRows(state, reinterpret_cast<NMLVCUSTOMDRAW&>(header));
  else
    return FALSE;
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, answer);
  return TRUE;
}

void Accept(HWND dialog, State& state) {
  for (size_t i = 0; i < state.checked.size(); ++i)
    state.checked[i] = (*state.rows)[i].removable &&
                       ListView_GetCheckState(List(dialog), static_cast<int>(i)) != FALSE;
  state.accepted = true;
  EndDialog(dialog, IDOK);
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, State& state) {
  switch (message) {
    case WM_INITDIALOG:
      Initialize(dialog, state);
      return TRUE;
    case WM_NOTIFY:
      return OnNotify(dialog, *reinterpret_cast<NMHDR*>(lParam), state);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) Accept(dialog, state);
      if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<std::vector<bool>> Show(HWND owner, const std::vector<CleanUpRow>& rows) {
  State state{&rows, {}, false};
  RunModalDialog<State, HandleMessage>(IDD_CLEANUP, owner, state);
  if (!state.accepted) return std::nullopt;
  return state.checked;
}

}  // namespace CleanUpDialog
