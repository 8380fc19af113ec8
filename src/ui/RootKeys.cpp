// The window's keyboard, as in a dialog: the menu's shortcuts, Tab and Shift+Tab through the
// controls, a label's access key to the box after it, Enter for the default button, Escape to
// leave a box's edit. IsDialogMessage does the work; a main window that is no dialog answers
// the two messages it sends to the window itself (WM_NEXTDLGCTL, DM_GETDEFID).
#include <string_view>

#include "catalogue/KeyNameRules.h"
#include "ui/Root.h"

namespace {

bool IsEditBox(HWND window) {
  wchar_t name[16] = {};
  return window != nullptr && GetClassNameW(window, name, 16) > 0 &&
         std::wstring_view(name) == L"Edit";
}

bool IsPushButton(HWND window) {
  return (SendMessageW(window, WM_GETDLGCODE, 0, 0) &
          (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

}  // namespace

bool Root::PreTranslate(MSG& message) {
  if (hwnd_ == nullptr || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
  if (TranslateAccelerator(message)) return true;
  return IsDialogMessageW(hwnd_, &message) != FALSE;
}

// Entf deletes characters in a box and Strg+Z takes back its typing; only elsewhere are they
// "Löschen" and "Rückgängig".
bool Root::TranslateAccelerator(MSG& message) {
  if (accelerators_ == nullptr) return false;
  const bool boxKey = message.wParam == VK_DELETE || message.wParam == 'Z';
  if (message.message == WM_KEYDOWN && boxKey && IsEditBox(message.hwnd)) return false;
  return ::TranslateAcceleratorW(hwnd_, accelerators_, &message) != 0;
}

// A new entry is saved where the program may write; a registration where its key lies.
SelectedRow Root::SelectedRowState() const {
  SelectedRow row;
  row.present = list_.SelectedId() != 0;
  if (!row.present) return row;
  const AppPathEntry* entry = SelectedEntry();
  row.registered = entry != nullptr;
  row.protectedName = entry != nullptr && IsProtectedName(entry->KeyName);
  row.mayChange = entry != nullptr ? MayChange(entry->Scope) : true;
  return row;
}

// The menu's item and Strg+Z offer an undo only while no command runs: the running one's change
// is not in the journal yet.
UndoState Root::UndoStateNow() {
  return {Changes().NewestUndoable() != nullptr, commandsRunning_ > 0};
}

// wParam names the control when lParam says so; otherwise 0 asks for the next control in the
// tab order, anything else for the previous one. A box gets its text selected, as in a dialog.
void Root::OnNextDialogControl(WPARAM wParam, LPARAM lParam) {
  HWND target = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                    : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
  if (target == nullptr || !IsChild(hwnd_, target)) return;
  SetFocus(target);
  if ((SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
    SendMessageW(target, EM_SETSEL, 0, -1);
}

// Enter presses the focused button, or OK from the panel's boxes while OK is enabled. Anywhere
// else it presses nothing (IDOK, which no control of the window carries).
LRESULT Root::DefaultButton() const {
  const HWND focus = GetFocus();
  if (focus != nullptr && IsChild(hwnd_, focus) && IsPushButton(focus))
    return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
  if (panel_.InBox(focus) && IsWindowEnabled(Control(kBHinzufügen)))
    return MAKELRESULT(kBHinzufügen, DC_HASDEFID);
  return 0;
}

// Escape abandons a new entry (its row goes) and takes back what was typed into a registration's
// boxes; the focus returns to the list.
void Root::OnEscape() {
  const HWND focus = GetFocus();
  const bool inPanel = panel_.Owns(focus);
  if (ShowsNewEntry()) {
    DropAbandonedNewEntry();
  } else if (inPanel) {
    DiscardPanelEdits();
  } else {
    return;
  }
  FocusList();
}
