#pragma once
// A modal dialog from the program's resources whose messages go to `Handle(dialog, message,
// wParam, lParam, state)`. Nothing unwinds through the dialog manager: a failure closes the
// dialog as cancelled (state.accepted false), so nothing the dialog was asked for happens.
#include <windows.h>

template <typename State, INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM, State&)>
INT_PTR CALLBACK GuardedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (state == nullptr) return FALSE;
  try {
    return Handle(dialog, message, wParam, lParam, *state);
  } catch (...) {
    state->accepted = false;
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
}

template <typename State, INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM, State&)>
void RunModalDialog(int resource, HWND owner, State& state) {
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), owner,
                  GuardedDialogProc<State, Handle>, reinterpret_cast<LPARAM>(&state));
}
