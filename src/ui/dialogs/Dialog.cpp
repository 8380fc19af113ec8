#include "ui/dialogs/Dialog.h"

#include "texts/Texts.h"
#include "ui/Prompts.h"

bool Dialog::Run(HWND owner) {
  confirmed_ = false;
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource_),
                                         owner, &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
  // -1: the dialog could not be made at all; the user asked for it and must hear why nothing came.
  if (result == -1) ReportUnexpectedError(owner);
  return result == IDOK && confirmed_;
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<Dialog*>(lParam);
    self->window_ = window;
    SetWindowLongPtrW(window, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  try {
    return self->Handle(message, wParam, lParam);
  } catch (...) {
    self->ReportUnexpectedError(window);
    self->confirmed_ = false;
    EndDialog(window, IDCANCEL);
    return TRUE;
  }
}

INT_PTR Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowTextW(window_, caption_);
    return OnInit();
  }
  const int id = LOWORD(wParam);
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
    confirmed_ = id == IDOK && OnOk();
    if (id == IDCANCEL || confirmed_) EndDialog(window_, id);
    return TRUE;
  }
  return OnMessage(message, wParam, lParam);
}

void Dialog::SetItemTexts(std::initializer_list<std::pair<int, const wchar_t*>> texts) {
  for (const auto& [id, text] : texts) SetDlgItemTextW(window_, id, text);
}

INT_PTR Dialog::NotifyResult(LRESULT result) {
  SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
  return TRUE;
}

// Told in the words every window of the program uses for it. Even this report must not throw
// past the dialog manager.
void Dialog::ReportUnexpectedError(HWND window) {
  try {
    prompts_.Message(window, Texts::kUnexpectedError, caption_, MB_OK | MB_ICONERROR);
  } catch (...) {
  }
}
