#include "ui/dialogs/FindDialog.h"

#include <string>

#include "ui/Controls.h"
#include "ui/Texts.h"
#include "ui/dialogs/DialogIds.h"
#include "ui/dialogs/ModalDialog.h"

namespace FindDialog {
namespace {

struct State {
  SearchRequest request;
  bool accepted = false;
};

void SetTexts(HWND dialog) {
  SetWindowTextW(dialog, Texts::kFindCaption);
  const std::pair<int, const wchar_t*> texts[] = {
      {IDC_FIND_LABEL, Texts::kFindPatternLabel}, {IDC_FIND_WHERE, Texts::kFindWhere},
      {IDC_FIND_NAME, Texts::kFindFileName},      {IDC_FIND_ALL, Texts::kFindAllColumns},
      {IDC_FIND_CASE, Texts::kFindMatchCase},     {IDC_FIND_HINT, Texts::kFindHint},
      {IDOK, Texts::kFindButton},
      {IDCANCEL, Texts::kCancelButton}};
  for (const auto& [id, text] : texts) SetDlgItemTextW(dialog, id, text);
}

void Fill(HWND dialog, const SearchRequest& request) {
  SetDlgItemTextW(dialog, IDC_FIND_PATTERN, request.pattern.c_str());
  CheckRadioButton(dialog, IDC_FIND_NAME, IDC_FIND_ALL,
                   request.allColumns ? IDC_FIND_ALL : IDC_FIND_NAME);
  CheckDlgButton(dialog, IDC_FIND_CASE, request.matchCase ? BST_CHECKED : BST_UNCHECKED);
  SendDlgItemMessageW(dialog, IDC_FIND_PATTERN, EM_SETSEL, 0, -1);
}

SearchRequest Read(HWND dialog) {
  SearchRequest request;
  request.pattern = WindowText(GetDlgItem(dialog, IDC_FIND_PATTERN));
  request.allColumns = IsDlgButtonChecked(dialog, IDC_FIND_ALL) == BST_CHECKED;
  request.matchCase = IsDlgButtonChecked(dialog, IDC_FIND_CASE) == BST_CHECKED;
  return request;
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM, State& state) {
  switch (message) {
    case WM_INITDIALOG:
      SetTexts(dialog);
      Fill(dialog, state.request);
      SetFocus(GetDlgItem(dialog, IDC_FIND_PATTERN));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        state.request = Read(dialog);
        state.accepted = true;
        EndDialog(dialog, IDOK);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<SearchRequest> Show(HWND owner, const SearchRequest& last) {
  State state{last, false};
  RunModalDialog<State, HandleMessage>(IDD_FIND, owner, state);
  if (!state.accepted) return std::nullopt;
  return state.request;
}

}  // namespace FindDialog
