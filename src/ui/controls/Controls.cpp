#include "ui/controls/Controls.h"

std::wstring WindowText(HWND hwnd) {
  if (hwnd == nullptr) return {};
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  // The length may be an overestimate; keep what was really copied.
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

bool SetWindowTextChecked(HWND hwnd, const std::wstring& text) {
  return hwnd != nullptr && SetWindowTextW(hwnd, text.c_str()) != FALSE;
}

// ---- ListBox ----

int ListBox::Insert(int index, const std::wstring& text, LPARAM data) {
  const auto at = static_cast<int>(SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                                                reinterpret_cast<LPARAM>(text.c_str())));
  if (at < 0) return -1;
  SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(at), data);
  return at;
}

LPARAM ListBox::Data(int index) const {
  const LRESULT data = SendMessageW(hwnd_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == LB_ERR ? 0 : data;
}

int ListBox::Count() const {
  const LRESULT n = hwnd_ == nullptr ? 0 : SendMessageW(hwnd_, LB_GETCOUNT, 0, 0);
  return n < 0 ? 0 : static_cast<int>(n);
}

int ListBox::SelectedIndex() const {
  const LRESULT at = hwnd_ == nullptr ? LB_ERR : SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  return at < 0 ? -1 : static_cast<int>(at);
}

bool ControlSubclass::Attach(HWND control, WNDPROC proc, void* owner) {
  if (control == nullptr) return false;
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
  if (previous == nullptr) return false;
  original_ = previous;
  return true;
}
