#include "ui/Root.h"

#include <windowsx.h>

#include <exception>
#include <iterator>
#include <utility>

#include "texts/CompareTexts.h"
#include "texts/DetailsTexts.h"
#include "texts/Texts.h"
#include "texts/UndoTexts.h"

namespace {

// The commands the menu starts, and the name a failure of each is reported under.
struct CommandItem {
  int menuId;  // 0: not in the menu
  Command command;
  const wchar_t* action;
};
constexpr CommandItem kCommands[] = {
    {Root::kMnuHinzufügen, Command::Hinzufügen, Texts::kMenuHinzufügen},
    {Root::kMnuBearbeiten, Command::Bearbeiten, Texts::kMenuBearbeiten},
    {Root::kMnuUmbenennen, Command::Umbenennen, Texts::kMenuUmbenennen},
    {Root::kMnuExportieren, Command::Exportieren, Texts::kMenuExportieren},
    {Root::kMnuAusführen, Command::Ausführen, Texts::kMenuAusführen},
    {Root::kMnuLöschen, Command::Löschen, Texts::kMenuLöschen},
    {Root::kMnuBereinigen, Command::Bereinigen, Texts::kMenuBereinigen},
    {Root::kMnuImRegistrierungsEditor, Command::ImRegistrierungsEditor,
     Texts::kMenuImRegistrierungsEditor},
    {Root::kMnuImExplorer, Command::ImExplorer, Texts::kMenuImExplorer},
    {Root::kMnuVergleichen, Command::Vergleichen, Texts::kMenuVergleichen},
    {0, Command::SicherungVergleichen, Texts::kActionCompareBackup},
    {Root::kMnuRückgängig, Command::Rückgängig, Texts::kMenuRückgängig},
    {0, Command::Speichern, Texts::kActionSave},
};

const CommandItem* ItemOfMenu(int id) {
  for (const CommandItem& item : kCommands)
    if (item.menuId != 0 && item.menuId == id) return &item;
  return nullptr;
}

std::wstring ActionName(Command command) {
  for (const CommandItem& item : kCommands)
    if (item.command == command) return Texts::ActionOfMenu(item.action);
  return Texts::kActionSave;
}

}  // namespace

std::wstring CommandHost::Title() { return L" " + std::wstring(Texts::kCaption); }

Root::Root(Prompts& prompts) : prompts_(prompts), list_(catalogue_), panel_(catalogue_) {}

Root::~Root() {
  watch_.Stop();
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
  if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  if (images_ != nullptr) ImageList_Destroy(images_);
  for (HICON icon : legendIcons_)
    if (icon != nullptr) DestroyIcon(icon);
  for (HICON icon : {appIcon_, appIconSmall_})
    if (icon != nullptr) DestroyIcon(icon);
  if (commandMenu_ != nullptr) DestroyMenu(commandMenu_);
  if (columnMenu_ != nullptr) DestroyMenu(columnMenu_);
  DestroyFonts();
}

bool Root::Create(HINSTANCE instance, const RootOptions& options) {
  if (hwnd_ != nullptr) return false;
  options_ = options;
  if (!CreateMainWindow(instance)) return false;
  CreateFonts();
  checks_ = std::make_unique<BackgroundChecks>(hwnd_, kChecksFinishedMessage, kCheckWorkers);
  CreateDetailsWorkers();
  CheckMachineWritable();
  CreateControls();
  ApplyUserSettings();
  SizeAndCentre();
  RestoreWindowSettings();
  // The shortcuts the menu shows beside its items.
  ACCEL keys[] = {{FVIRTKEY, VK_F5, static_cast<WORD>(kMnuAktualisieren)},
                  {FVIRTKEY | FCONTROL, 'F', static_cast<WORD>(kMnuSuchen)},
                  {FVIRTKEY, VK_F3, static_cast<WORD>(kMnuWeitersuchen)},
                  {FVIRTKEY, VK_DELETE, static_cast<WORD>(kMnuLöschen)},
                  {FVIRTKEY, VK_F2, static_cast<WORD>(kMnuUmbenennen)},
                  {FVIRTKEY | FCONTROL, 'N', static_cast<WORD>(kMnuHinzufügen)},
                  {FVIRTKEY | FCONTROL, 'E', static_cast<WORD>(kMnuExportieren)},
                  {FVIRTKEY | FCONTROL, VK_RETURN, static_cast<WORD>(kMnuAusführen)},
                  {FVIRTKEY | FCONTROL, 'Z', static_cast<WORD>(kMnuRückgängig)}};
  accelerators_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
  WatchRegistry();
  SetTimer(hwnd_, kTimer1, kTimer1Interval, nullptr);
  if (options_.show) {
    ShowWindow(hwnd_, maximizeOnShow_ ? SW_SHOWMAXIMIZED : SW_SHOW);
    UpdateWindow(hwnd_);
    FocusList();
  }
  if (options_.runStartup) PostMessageW(hwnd_, kStartupMessage, 0, 0);
  return hwnd_ != nullptr;
}

// ---- Window procedure ----

LRESULT CALLBACK Root::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Root* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Root*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Root*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  // An exception must not unwind through the system's code that called us; the user hears of it.
  LRESULT result = 0;
  bool handled = false;
  self->Guarded(Texts::kActionWindow, [&] {
    result = self->HandleMessage(message, wParam, lParam);
    handled = true;
  });
  return handled ? result : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Root::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      if (const auto answer = list_.OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) return *answer;
      break;
    case WM_TIMER:
      if (wParam == kTimer1) panel_.UpdateButtons();
      if (wParam == kRefreshTimer) RefreshWhenIdle();
      return 0;
    case kChecksFinishedMessage:
      OnChecksFinished();
      return 0;
    case kDetailsFinishedMessage:
      OnDetailsFinished();
      return 0;
    case kScanFinishedMessage:
      OnScanFinished(std::unique_ptr<std::vector<AppPathEntry>>(
          reinterpret_cast<std::vector<AppPathEntry>*>(lParam)));
      return 0;
    case kRegistryChangedMessage:
      SetTimer(hwnd_, kRefreshTimer, kRefreshDelay, nullptr);
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case kStartupMessage:
      Startup();
      return 0;
    case kLeaveRowMessage:
      ResolvePendingLeave();
      return 0;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam));
      return 0;
    case WM_GETMINMAXINFO:
      OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_NEXTDLGCTL:
      OnNextDialogControl(wParam, lParam);
      return 0;
    case DM_GETDEFID:
      return DefaultButton();
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) RememberFocus();
      break;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_CLOSE:
      // Disabled, the window waits for the registry editor: closing would pull the controls
      // from under the command, as closing a window with a modal dialog would.
      if (WaitingForRegistryEditor() || !LeavePanel()) return 0;
      break;
    case WM_DESTROY:
      SaveWindowSettings();
      KillTimer(hwnd_, kTimer1);
      KillTimer(hwnd_, kRefreshTimer);
      watch_.Stop();
      if (options_.endsProgram) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      const HWND hwnd = std::exchange(hwnd_, nullptr);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Root::OnCommand(int id, int code) {
  if (OnMenuCommand(id)) return;
  if (id == IDCANCEL) OnEscape();
  if (id == kBHinzufügen && code == BN_CLICKED) RunCommand(Command::Speichern);
  if (id == kBDateiname && code == BN_CLICKED) Guarded(Texts::kBrowseTitle, [this] { BrowseForProgram(); });
  if (id == kLstFileCache) list_.OnCacheCommand(code);
}

// Like a dialog, the window hands the focus back to the control that had it, so the keyboard
// keeps working after a message box or a switch to another program.
void Root::RememberFocus() {
  const HWND focus = GetFocus();
  if (focus != nullptr && IsChild(hwnd_, focus)) lastFocus_ = focus;
}

void Root::RestoreFocus() {
  const HWND target = lastFocus_;
  const bool usable = target != nullptr && IsWindow(target) && IsChild(hwnd_, target) &&
                      IsWindowEnabled(target) &&
                      (GetWindowLongPtrW(target, GWL_STYLE) & WS_VISIBLE) != 0;
  if (usable)
    SetFocus(target);
  else
    FocusList();
}

// ---- Commands ----

// The menu's items and their shortcuts: a command that cannot work on the selected row does not
// start (its item is greyed), whichever way it was asked for.
bool Root::OnMenuCommand(int id) {
  if (const CommandItem* item = ItemOfMenu(id)) {
    if (CommandEnabled(item->command, SelectedRowState(), UndoStateNow()))
      RunCommand(item->command);
    return true;
  }
  if (id == kMnuAktualisieren)
    Guarded(Texts::ActionOfMenu(Texts::kMenuAktualisieren), [this] {
      if (!panel_.HasUnsavedEdits()) DropAbandonedNewEntry();  // typed texts stay, as ever
      Refresh();
    });
  else if (id == kMnuWindowsAusblenden)
    Guarded(Texts::ActionOfMenu(Texts::kMenuWindowsEinträgeAusblenden),
            [this] { ToggleWindowsEntries(); });
  else if (EntryListView::IsDetailColumn(id - kMnuSpalten))
    Guarded(EntryListView::ColumnHeader(id - kMnuSpalten),
            [&] { ToggleDetailColumn(id - kMnuSpalten); });
  else if (id == kMnuSuchen)
    Guarded(Texts::kFindCaption, [this] { Search(); });
  else if (id == kMnuWeitersuchen)
    Guarded(Texts::kFindCaption, [this] { SearchNext(); });
  else
    return false;
  return true;
}

void Root::SetCommandHandler(std::function<void(Command)> handler) {
  commandHandler_ = std::move(handler);
}

bool Root::RunCommand(Command command) {
  if (command != Command::Bearbeiten && !commandHandler_) return false;
  ++commandsRunning_;
  Guarded(ActionName(command), [&] {
    if (command == Command::Bearbeiten)
      EditSelectedEntry();
    else
      commandHandler_(command);
  });
  --commandsRunning_;
  return true;
}

void Root::Guarded(const std::wstring& action, const std::function<void()>& work) {
  try {
    work();
  } catch (...) {
    ReportUnexpectedError(action);
  }
}

void Root::ReportUnexpectedError(const std::wstring& action) {
  Tell(std::wstring(Texts::kUnexpectedError) + L"\n" + Texts::kFailedAction + action,
       MB_OK | MB_ICONERROR);
}

// From the keyboard (menu key, Shift+F10) the menu opens at the selected row, or at the list's
// corner when none is selected; from the mouse where the button was released.
void Root::OnContextMenu(HWND source, LPARAM where) {
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (OnHeader(source, where)) {
    if (where == -1) at = list_.KeyboardMenuPoint();
    ShowColumnMenu(at);
    return;
  }
  if (source != list_.LstFileList().Handle()) return;
  if (where == -1) at = list_.KeyboardMenuPoint();
  ++commandMenuOpenings_;
  lastMenuPoint_ = at;
  ShowCommandMenu(at);
}

void Root::ShowCommandMenu(POINT at) {
  if (commandMenu_ == nullptr || hwnd_ == nullptr) return;
  ShowUndoItem();
  const SelectedRow row = SelectedRowState();
  const UndoState undo = UndoStateNow();
  for (const CommandItem& item : kCommands)
    if (item.menuId != 0)
      EnableMenuItem(
          commandMenu_, static_cast<UINT>(item.menuId),
          MF_BYCOMMAND | (CommandEnabled(item.command, row, undo) ? MF_ENABLED : MF_GRAYED));
  // The window must be in the foreground, or the menu would not close on a click elsewhere.
  SetForegroundWindow(hwnd_);
  TrackPopupMenuEx(commandMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y,
                   hwnd_, nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}
