#include "ui/Umbenennen.h"

#include "ui/Prompts.h"
#include "ui/RenameCheck.h"
#include "ui/Texts.h"

namespace Umbenennen {
namespace {

constexpr int kClientWidth = 362;
constexpr int kClientHeight = 171;

struct ControlSpec {
  int id;
  const wchar_t* windowClass;
  const wchar_t* text;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height;  // pixels at 96 DPI
};

// In tab order; the label precedes the field, so its access key moves the focus there.
constexpr ControlSpec kControls[] = {
    {kRNamen, L"STATIC", Texts::kRenameNameLabel, SS_LEFT, 0, 35, 91, 32, 14},
    {kTName, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 72, 87, 277, 22},
    {kBReady, L"BUTTON", Texts::kRenameOk, WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 114, 135, 75, 26},
    {kBAbbrechen, L"BUTTON", Texts::kRenameCancel, WS_TABSTOP | BS_PUSHBUTTON, 0, 195, 135, 75, 26},
    {kBHilfe, L"BUTTON", Texts::kRenameHelp, WS_TABSTOP | BS_PUSHBUTTON, 0, 276, 135, 75, 26},
    {kPBilddatei, L"STATIC", L"", SS_ICON | SS_REALSIZEIMAGE, 0, 18, 21, 48, 48},
    {kLabel2, L"STATIC", Texts::kRenamePrompt, SS_LEFT, 0, 75, 21, 241, 52},
};

struct DialogState {
  std::wstring proposed;
  std::wstring installation;
  Prompts* prompts = nullptr;
  std::optional<std::wstring> answer;
  HFONT font = nullptr;
  HICON icon = nullptr;
  UINT dpi = 96;
};

int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

HFONT CreateDialogFont(UINT dpi) {
  return CreateFontW(-MulDiv(9, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

// The program's icon at 48 pixels; the system's question icon when the program has none.
HICON LoadPicture(UINT dpi) {
  const int size = Scaled(48, dpi);
  HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                             IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  if (icon == nullptr)
    icon = static_cast<HICON>(
        LoadImageW(nullptr, IDI_QUESTION, IMAGE_ICON, size, size, LR_SHARED));
  return icon;
}

void SizeAndCentre(HWND dialog, HWND owner, UINT dpi) {
  RECT frame{0, 0, Scaled(kClientWidth, dpi), Scaled(kClientHeight, dpi)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT over{};
  if (owner == nullptr || !GetWindowRect(owner, &over))
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
  const int x = over.left + ((over.right - over.left) - width) / 2;
  const int y = over.top + ((over.bottom - over.top) - height) / 2;
  SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CreateControls(HWND dialog, DialogState& state) {
  for (const ControlSpec& c : kControls) {
    HWND control = CreateWindowExW(
        c.exStyle, c.windowClass, c.text, WS_CHILD | WS_VISIBLE | c.style,
        Scaled(c.x, state.dpi), Scaled(c.y, state.dpi), Scaled(c.width, state.dpi),
        Scaled(c.height, state.dpi), dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
  }
  SendDlgItemMessageW(dialog, kPBilddatei, STM_SETICON, reinterpret_cast<WPARAM>(state.icon), 0);
}

void OnInit(HWND dialog, DialogState& state) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  state.dpi = GetDpiForWindow(dialog);
  if (state.dpi == 0) state.dpi = 96;
  state.font = CreateDialogFont(state.dpi);
  state.icon = LoadPicture(state.dpi);
  SetWindowTextW(dialog, Texts::kRenameCaption);
  SizeAndCentre(dialog, GetWindow(dialog, GW_OWNER), state.dpi);
  CreateControls(dialog, state);
  HWND name = GetDlgItem(dialog, kTName);
  SetWindowTextW(name, state.proposed.c_str());
  SendMessageW(name, EM_SETSEL, 0, -1);
  SetFocus(name);
}

std::wstring NameFieldText(HWND dialog) {
  HWND name = GetDlgItem(dialog, kTName);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(name)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(name, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool Confirm(HWND dialog, DialogState& state, RenameQuestion question) {
  const wchar_t* text = question == RenameQuestion::NonStandardType ? Texts::kNonStandardType
                                                                     : Texts::kChangedType;
  return state.prompts->Message(dialog, text, Texts::kTypeQuestionTitle,
                                MB_OKCANCEL | MB_ICONWARNING) == IDOK;
}

void OnReady(HWND dialog, DialogState& state) {
  const RenameCheckResult result =
      CheckNewName(NameFieldText(dialog), state.installation,
                   [&](RenameQuestion q) { return Confirm(dialog, state, q); });
  if (!result.accepted) {
    SetDlgItemTextW(dialog, kTName, result.name.c_str());
    SetFocus(GetDlgItem(dialog, kTName));
    return;
  }
  state.answer = result.name;
  EndDialog(dialog, IDOK);
}

void OnDestroy(DialogState& state) {
  if (state.font != nullptr) DeleteObject(state.font);
  state.font = nullptr;
  // A shared system icon must not be destroyed; DestroyIcon refuses it harmlessly.
  if (state.icon != nullptr) DestroyIcon(state.icon);
  state.icon = nullptr;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      OnInit(dialog, *reinterpret_cast<DialogState*>(lParam));
      return FALSE;  // the focus is set already
    case WM_COMMAND:
      if (state == nullptr || HIWORD(wParam) != BN_CLICKED) return FALSE;
      switch (LOWORD(wParam)) {
        case kBReady:
          OnReady(dialog, *state);
          return TRUE;
        case kBAbbrechen:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return TRUE;  // Hilfe has no action
      }
    case WM_DESTROY:
      if (state != nullptr) OnDestroy(*state);
      return FALSE;
    default:
      return FALSE;
  }
}

// An empty dialog frame; the controls are created in pixels at WM_INITDIALOG.
struct alignas(4) EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

}  // namespace

std::optional<std::wstring> Show(HWND owner, const std::wstring& proposed,
                                 const std::wstring& installation, Prompts& prompts) {
  EmptyTemplate tmpl{};
  tmpl.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  tmpl.header.dwExtendedStyle = WS_EX_DLGMODALFRAME;
  DialogState state{proposed, installation, &prompts, std::nullopt, nullptr, nullptr, 96};
  const INT_PTR result =
      DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &tmpl.header, owner, DialogProc,
                              reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return std::nullopt;
  return state.answer;
}

}  // namespace Umbenennen

std::optional<std::wstring> SystemPrompts::AskNewName(HWND owner, const std::wstring& proposed,
                                                      const std::wstring& installation) {
  return Umbenennen::Show(owner, proposed, installation, *this);
}
