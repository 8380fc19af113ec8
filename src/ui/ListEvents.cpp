// The entry list's own events: sorting by a clicked column, the panel following the selection
// on every key release and mouse button, the command menu on the context-menu key and the right
// button, and the Keyname column kept hidden.
#include "ui/Root.h"

namespace {

constexpr int kKeynameColumn = 1;

bool IsHeld(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// Sets a flag for as long as it lives; the flag gets back its earlier value, so a press handled
// inside another one does not end the outer one early.
class FlagWhile {
 public:
  explicit FlagWhile(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~FlagWhile() { flag_ = before_; }
  FlagWhile(const FlagWhile&) = delete;
  FlagWhile& operator=(const FlagWhile&) = delete;

 private:
  bool& flag_;
  bool before_;
};

}  // namespace

void Root::SortByColumn(int column) { lstFileList_.SortBy(column); }

// ---- The list's window procedure ----

LRESULT CALLBACK Root::ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Root* root = ControlSubclass::OwnerOf<Root>(hwnd);
  if (message == WM_NCDESTROY)
    return root->listSubclass_.CallOriginal(hwnd, message, wParam, lParam);
  // An exception must not unwind through the list control's code.
  try {
    return root->OnListMessage(hwnd, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

// While a command runs it lets pending events through; input reaching the list then must not
// move the selection or reload the panel under the command's feet. The release of the Enter
// key that closed one of its dialogs, for one, arrives at the list while the command goes on.
namespace {
bool IsListInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEMOVE);
}
}  // namespace

LRESULT Root::OnListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (commandRunning_ && IsListInput(message)) return 0;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnListButtonDown(list, message, wParam, lParam, ListButton::Left);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return OnListButtonDown(list, message, wParam, lParam, ListButton::Right);
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      return OnListButtonDown(list, message, wParam, lParam, ListButton::Middle);
    case WM_LBUTTONUP:
      return OnListButtonUp(list, message, wParam, lParam, ListButton::Left);
    case WM_RBUTTONUP:
      return OnListButtonUp(list, message, wParam, lParam, ListButton::Right);
    case WM_MBUTTONUP:
      return OnListButtonUp(list, message, wParam, lParam, ListButton::Middle);
    case WM_MOUSEMOVE:
      KeepKeynameColumnHidden();
      break;
    case WM_KEYDOWN:
      // F2 would open the row's label for typing; row texts change only through the commands.
      if (wParam == VK_F2) return 0;
      break;
    case WM_KEYUP: {
      const LRESULT result = listSubclass_.CallOriginal(list, message, wParam, lParam);
      OnListKeyUp(wParam);
      return result;
    }
    case WM_CONTEXTMENU:
      // The release of the right button and the context-menu key open the menu themselves;
      // the list's own request would open it a second time.
      return 0;
    default:
      break;
  }
  return listSubclass_.CallOriginal(list, message, wParam, lParam);
}

// ---- Mouse buttons ----

// The list's own handling of a press may run its drag detection, which takes the release out of
// the queue before it reaches us (the right button does so under Wine, every button under
// Windows). A release is therefore handled once: when it arrives, or right after the press when
// the button is already up again by then. The key state is the one of the messages read so far,
// so a release still waiting in the queue counts as held.
LRESULT Root::OnListButtonDown(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                               ListButton button) {
  pendingRelease_ = button;
  LRESULT result = 0;
  {
    FlagWhile pressing(inListButton_);
    result = listSubclass_.CallOriginal(list, message, wParam, lParam);
    LoadSelectedRow();
    const int key = button == ListButton::Left    ? VK_LBUTTON
                    : button == ListButton::Right ? VK_RBUTTON
                                                  : VK_MBUTTON;
    if (pendingRelease_ == button && !IsHeld(key)) FinishListButton(button);
  }
  ApplyDeferredClickRule();
  return result;
}

LRESULT Root::OnListButtonUp(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                             ListButton button) {
  LRESULT result = 0;
  {
    FlagWhile releasing(inListButton_);
    result = listSubclass_.CallOriginal(list, message, wParam, lParam);
    // A release whose press we did not see (or whose release was handled already) is no event.
    if (pendingRelease_ == button) FinishListButton(button);
  }
  ApplyDeferredClickRule();
  return result;
}

// The right button loads the row once more before the menu, so the menu's commands act on the
// row the panel shows.
void Root::FinishListButton(ListButton button) {
  pendingRelease_ = ListButton::None;
  LoadSelectedRow();
  if (button != ListButton::Right) return;
  LoadSelectedRow();
  OpenCommandMenuFromList();
}

// The list reports a click while it handles the press or the release; the rule looks at the
// row the panel shows after that press or release, so it waits until the row is loaded.
void Root::OnListClick() {
  if (inListButton_) {
    clickRuleDeferred_ = true;
    return;
  }
  ApplyListClickRule();
}

void Root::ApplyDeferredClickRule() {
  if (inListButton_ || !clickRuleDeferred_) return;
  clickRuleDeferred_ = false;
  ApplyListClickRule();
}

// ---- Keys, moves and the menu ----

// Delete, F2, Enter and the others only reload the panel.
void Root::OnListKeyUp(WPARAM key) {
  LoadSelectedRow();
  if (key == VK_APPS) OpenCommandMenuFromList();
}

// Dragging the Keyname column open in the header shows it only until the mouse is over the rows
// again. While it is hidden a move costs one read.
void Root::KeepKeynameColumnHidden() {
  if (lstFileList_.ColumnWidth(kKeynameColumn) >= 1) lstFileList_.SetColumnWidth(kKeynameColumn, 0);
}

void Root::OpenCommandMenuFromList() {
  // While a command runs, none of the menu's items could start.
  if (commandRunning_) return;
  ++commandMenuOpenings_;
  ShowCommandMenu();
}
