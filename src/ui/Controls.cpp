#include "ui/Controls.h"

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

// ---- TextBox ----

bool TextBox::Locked() const {
  return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & ES_READONLY) != 0;
}

bool TextBox::SetLocked(bool locked) {
  return hwnd_ != nullptr &&
         SendMessageW(hwnd_, EM_SETREADONLY, locked ? TRUE : FALSE, 0) != FALSE;
}

bool TextBox::SelectAll() {
  if (hwnd_ == nullptr) return false;
  SendMessageW(hwnd_, EM_SETSEL, 0, -1);
  return true;
}

bool TextBox::Focus() {
  if (hwnd_ == nullptr) return false;
  SetFocus(hwnd_);
  return GetFocus() == hwnd_;
}

// ---- ListBox ----

bool ListBox::Clear() {
  if (hwnd_ == nullptr) return false;
  SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
  return Count() == 0;
}

int ListBox::Append(const std::wstring& text, LPARAM data) {
  if (hwnd_ == nullptr) return -1;
  const LRESULT at = SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (at < 0) return -1;
  SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(at), data);
  return static_cast<int>(at);
}

int ListBox::Put(const std::wstring& text, LPARAM data) {
  const int at = IndexOfData(data);
  if (at < 0) return Append(text, data);
  SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
  const LRESULT inserted = SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(at),
                                        reinterpret_cast<LPARAM>(text.c_str()));
  if (inserted < 0) return -1;
  SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(inserted), data);
  return static_cast<int>(inserted);
}

bool ListBox::RemoveData(LPARAM data) {
  const int at = IndexOfData(data);
  return at >= 0 && SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(at), 0) >= 0;
}

LPARAM ListBox::Data(int index) const {
  if (hwnd_ == nullptr || index < 0 || index >= Count()) return 0;
  const LRESULT data = SendMessageW(hwnd_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == LB_ERR ? 0 : data;
}

int ListBox::IndexOfData(LPARAM data) const {
  const int count = Count();
  for (int i = 0; i < count; ++i)
    if (Data(i) == data) return i;
  return -1;
}

int ListBox::Count() const {
  if (hwnd_ == nullptr) return 0;
  const LRESULT n = SendMessageW(hwnd_, LB_GETCOUNT, 0, 0);
  return n < 0 ? 0 : static_cast<int>(n);
}

int ListBox::SelectedIndex() const {
  if (hwnd_ == nullptr) return -1;
  const LRESULT at = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  return at < 0 ? -1 : static_cast<int>(at);
}

bool ListBox::Select(int index) {
  if (hwnd_ == nullptr || index < -1 || index >= Count()) return false;
  SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return SelectedIndex() == index;
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
