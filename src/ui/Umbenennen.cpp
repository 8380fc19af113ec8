#include "ui/Umbenennen.h"

#include "catalogue/KeyNameRules.h"
#include "platform/Text.h"
#include "ui/Controls.h"
#include "ui/Prompts.h"
#include "ui/RenameCheck.h"
#include "ui/Texts.h"

// The layout lives in the dialog resource (resources/Umbenennen.rc). The dialog manager owns
// the font it names and scales the dialog, its controls and that font when the DPI changes;
// so nothing here sets a font or a control's size.
namespace Umbenennen {
namespace {

// The program's icon (resources/velmarin.rc), shown 48 pixels wide at 96 DPI.
constexpr int kProgramIconId = 1;
constexpr int kPictureSize = 48;

struct ControlText {
  int id;
  const wchar_t* text;
};
constexpr ControlText kControlTexts[] = {
    {kRNamen, Texts::kRenameNameLabel}, {kBReady, Texts::kRenameOk},
    {kBAbbrechen, Texts::kRenameCancel}, {kBHilfe, Texts::kRenameHelp},
    {kLabel2, Texts::kRenamePrompt}};

struct DialogState {
  std::wstring proposed;
  std::wstring installation;
  Prompts& prompts;
  std::optional<std::wstring> answer;
  // Loaded without LR_SHARED, so it is ours to destroy: here, once the dialog and its picture
  // control are gone.
  HICON icon = nullptr;

  ~DialogState() {
    if (icon != nullptr) DestroyIcon(icon);
  }
};

DialogState* StateOf(HWND dialog) {
  return reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

UINT DpiOf(HWND window) {
  const UINT dpi = GetDpiForWindow(window);
  return dpi == 0 ? USER_DEFAULT_SCREEN_DPI : dpi;
}

// Drawn at the size the DPI asks for rather than stretched from another size. The old icon is
// destroyed only after the control has let go of it.
void ShowPicture(HWND dialog, DialogState& state, UINT dpi) {
  const int size = MulDiv(kPictureSize, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
  const auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                  MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                                                  size, size, LR_DEFAULTCOLOR));
  if (icon == nullptr) return;
  SendDlgItemMessageW(dialog, kPBilddatei, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (state.icon != nullptr) DestroyIcon(state.icon);
  state.icon = icon;
}

// Over the main window, so the question appears where the user was working.
void CentreOverOwner(HWND dialog) {
  RECT over{};
  const HWND owner = GetWindow(dialog, GW_OWNER);
  if (owner == nullptr || !GetWindowRect(owner, &over))
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
  RECT own{};
  GetWindowRect(dialog, &own);
  const int x = over.left + ((over.right - over.left) - (own.right - own.left)) / 2;
  const int y = over.top + ((over.bottom - over.top) - (own.bottom - own.top)) / 2;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInit(HWND dialog, DialogState& state) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  SetWindowTextW(dialog, Texts::kRenameCaption);
  for (const ControlText& control : kControlTexts)
    SetDlgItemTextW(dialog, control.id, control.text);
  ShowPicture(dialog, state, DpiOf(dialog));
  CentreOverOwner(dialog);
  const HWND name = GetDlgItem(dialog, kTName);
  SetWindowTextW(name, state.proposed.c_str());
  SendMessageW(name, EM_SETSEL, 0, -1);
  SetFocus(name);
}

bool Confirm(HWND dialog, DialogState& state, RenameQuestion question) {
  const wchar_t* text = question == RenameQuestion::NonStandardType ? Texts::kNonStandardType
                                                                     : Texts::kChangedType;
  return state.prompts.Message(dialog, text, Texts::kTypeQuestionTitle,
                               MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

// The name field with its text selected and the focus, so the next keys replace or mend it.
void SelectName(HWND dialog, const std::wstring& text) {
  const HWND name = GetDlgItem(dialog, kTName);
  SetWindowTextW(name, text.c_str());
  SendMessageW(name, EM_SETSEL, 0, -1);
  SetFocus(name);
}

// A name the registry cannot take (the key is its upper-case form) is refused here, over the
// dialog, which stays open with what the user typed.
bool Refused(HWND dialog, DialogState& state, const std::wstring& typed,
             const std::wstring& name) {
  const KeyNameProblem problem = CheckTypedKeyName(ToUpper(name));
  if (problem == KeyNameProblem::None) return false;
  state.prompts.Message(dialog, Texts::KeyNameProblemText(problem), Texts::kRenameCaption,
                        MB_OK | MB_ICONWARNING);
  SelectName(dialog, typed);
  return true;
}

void OnReady(HWND dialog, DialogState& state) {
  const std::wstring typed = WindowText(GetDlgItem(dialog, kTName));
  const RenameCheckResult result = CheckNewName(
      typed, state.installation, [&](RenameQuestion q) { return Confirm(dialog, state, q); });
  if (!result.accepted) {
    SetDlgItemTextW(dialog, kTName, result.name.c_str());
    SetFocus(GetDlgItem(dialog, kTName));
    return;
  }
  if (Refused(dialog, state, typed, result.name)) return;
  state.answer = result.name;
  EndDialog(dialog, IDOK);
}

void OnHelp(HWND dialog, DialogState& state) {
  state.prompts.Message(dialog, Texts::kRenameHelpText, Texts::kRenameHelpTitle,
                        MB_OK | MB_ICONINFORMATION);
}

INT_PTR OnCommand(HWND dialog, DialogState& state, int id, int code) {
  if (code != BN_CLICKED) return FALSE;
  if (id == kBReady) OnReady(dialog, state);
  if (id == kBAbbrechen) EndDialog(dialog, IDCANCEL);
  if (id == kBHilfe) OnHelp(dialog, state);
  return TRUE;
}

INT_PTR HandleMessage(HWND dialog, DialogState& state, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit(dialog, state);
      return FALSE;  // the focus is set already
    case WM_COMMAND:
      return OnCommand(dialog, state, LOWORD(wParam), HIWORD(wParam));
    case WM_DPICHANGED:
      ShowPicture(dialog, state, LOWORD(wParam));
      return FALSE;  // the dialog manager goes on to scale the dialog itself
    default:
      return FALSE;
  }
}

// Told in the words every window of the program uses for it, titled with the dialog's caption
// so the user knows which action stopped. Even this report must not throw past the dialog.
void ReportUnexpectedError(HWND window, Prompts& prompts) {
  try {
    prompts.Message(window, Texts::kUnexpectedError, Texts::kRenameCaption, MB_OK | MB_ICONERROR);
  } catch (...) {
  }
}

// An exception must not unwind through the dialog manager that called us: the user is told,
// and the dialog ends as cancelled, so no half-checked name is taken.
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogState* state =
      message == WM_INITDIALOG ? reinterpret_cast<DialogState*>(lParam) : StateOf(dialog);
  if (state == nullptr) return FALSE;
  try {
    return HandleMessage(dialog, *state, message, wParam);
  } catch (...) {
    ReportUnexpectedError(dialog, state->prompts);
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
}

}  // namespace

std::optional<std::wstring> Show(HWND owner, const std::wstring& proposed,
                                 const std::wstring& installation, Prompts& prompts) {
  DialogState state{proposed, installation, prompts};
  const INT_PTR result =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_UMBENENNEN), owner,
                      DialogProc, reinterpret_cast<LPARAM>(&state));
  // -1: the dialog could not be made at all; the user asked for it and must hear why nothing came.
  if (result == -1) ReportUnexpectedError(owner, prompts);
  if (result != IDOK) return std::nullopt;
  return state.answer;
}

}  // namespace Umbenennen

std::optional<std::wstring> SystemPrompts::AskNewName(HWND owner, const std::wstring& proposed,
                                                      const std::wstring& installation) {
  return Umbenennen::Show(owner, proposed, installation, *this);
}
