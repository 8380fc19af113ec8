#include "ui/dialogs/Umbenennen.h"

#include "catalogue/KeyNameRules.h"
#include "platform/Text.h"
#include "texts/ExplanationTexts.h"
#include "ui/Prompts.h"
#include "ui/RenameCheck.h"
#include "ui/controls/Controls.h"
#include "ui/dialogs/Dialog.h"
#include "ui/dialogs/DialogIds.h"

// The layout lives in the dialog resource (resources/dialogs.rc). The dialog manager owns the
// font it names and scales the dialog, its controls and that font when the DPI changes; so
// nothing here sets a font or a control's size.
namespace Umbenennen {
namespace {

// The program's icon (resources/velmarin.rc), shown 48 pixels wide at 96 DPI.
constexpr int kProgramIconId = 1;
constexpr int kPictureSize = 48;

UINT DpiOf(HWND window) {
  const UINT dpi = GetDpiForWindow(window);
  return dpi == 0 ? USER_DEFAULT_SCREEN_DPI : dpi;
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

class RenameDialog final : public Dialog {
 public:
  RenameDialog(const std::wstring& proposed, const std::wstring& installation, Prompts& prompts)
      : Dialog(IDD_UMBENENNEN, Texts::kRenameCaption, prompts),
        proposed_(proposed),
        installation_(installation) {}
  ~RenameDialog() override {
    if (icon_ != nullptr) DestroyIcon(icon_);
  }

  std::optional<std::wstring> answer;

 private:
  INT_PTR OnInit() override {
    SetItemTexts({{IDC_UMBENENNEN_RNAMEN, Texts::kRenameNameLabel}, {IDOK, Texts::kRenameOk},
                  {IDCANCEL, Texts::kRenameCancel}, {IDC_UMBENENNEN_BHILFE, Texts::kRenameHelp},
                  {IDC_UMBENENNEN_LABEL2, Texts::kRenamePrompt}});
    ShowPicture(DpiOf(Window()));
    CentreOverOwner(Window());
    TextBox name;
    name.Attach(Item(IDC_UMBENENNEN_TNAME));
    name.SetText(proposed_);
    name.SelectAll();
    name.Focus();
    return FALSE;  // the focus is set already
  }

  bool OnOk() override {
    const std::wstring typed = WindowText(Item(IDC_UMBENENNEN_TNAME));
    const RenameCheckResult result = CheckNewName(
        typed, installation_, [&](RenameQuestion question) { return Confirm(question); });
    if (!result.accepted) {
      SetDlgItemTextW(Window(), IDC_UMBENENNEN_TNAME, result.name.c_str());
      SetFocus(Item(IDC_UMBENENNEN_TNAME));
      return false;
    }
    if (Refused(typed, result.name)) return false;
    answer = result.name;
    return true;
  }

  // The dialog manager goes on to scale the dialog itself. Hilfe says what the name field takes.
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_DPICHANGED) ShowPicture(LOWORD(wParam));
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_UMBENENNEN_BHILFE &&
        HIWORD(wParam) == BN_CLICKED) {
      Ask().Message(Window(), Texts::kRenameHelpText, Texts::kRenameHelpTitle,
                    MB_OK | MB_ICONINFORMATION);
      return TRUE;
    }
    return FALSE;
  }

  // A name the registry cannot take (the key is its upper-case form) is refused here, over the
  // dialog, which stays open with what the user typed, selected, so the next keys mend it.
  bool Refused(const std::wstring& typed, const std::wstring& name) {
    const KeyNameProblem problem = CheckTypedKeyName(ToUpper(name));
    if (problem == KeyNameProblem::None) return false;
    Ask().Message(Window(), Texts::KeyNameProblemText(problem), Texts::kRenameCaption,
                  MB_OK | MB_ICONWARNING);
    TextBox box;
    box.Attach(Item(IDC_UMBENENNEN_TNAME));
    box.SetText(typed);
    box.SelectAll();
    box.Focus();
    return true;
  }

  bool Confirm(RenameQuestion question) {
    const wchar_t* text = question == RenameQuestion::NonStandardType ? Texts::kNonStandardType
                                                                       : Texts::kChangedType;
    return Ask().Message(Window(), text, Texts::kTypeQuestionTitle,
                         MB_OKCANCEL | MB_ICONWARNING) == IDOK;
  }

  // Drawn at the size the DPI asks for rather than stretched from another size. Loaded without
  // LR_SHARED, so it is ours to destroy; the old one only after the control has let go of it.
  void ShowPicture(UINT dpi) {
    const int size = MulDiv(kPictureSize, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    const auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                    MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                                                    size, size, LR_DEFAULTCOLOR));
    if (icon == nullptr) return;
    // A picture control takes its icon by the message every static control answers.
    SendDlgItemMessageW(Window(), IDC_UMBENENNEN_PBILDDATEI, STM_SETICON,
                        reinterpret_cast<WPARAM>(icon), 0);
    if (icon_ != nullptr) DestroyIcon(icon_);
    icon_ = icon;
  }

  std::wstring proposed_;
  std::wstring installation_;
  HICON icon_ = nullptr;
};

}  // namespace

std::optional<std::wstring> Show(HWND owner, const std::wstring& proposed,
                                 const std::wstring& installation, Prompts& prompts) {
  RenameDialog dialog(proposed, installation, prompts);
  if (!dialog.Run(owner)) return std::nullopt;
  return dialog.answer;
}

}  // namespace Umbenennen

std::optional<std::wstring> SystemPrompts::AskNewName(HWND owner, const std::wstring& proposed,
                                                      const std::wstring& installation) {
  return Umbenennen::Show(owner, proposed, installation, *this);
}
