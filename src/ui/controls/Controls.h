#pragma once
// Thin wrappers over the standard controls the window uses. Each owns nothing but the HWND.
#include <windows.h>

#include <string>

std::wstring WindowText(HWND hwnd);
bool SetWindowTextChecked(HWND hwnd, const std::wstring& text);

// An edit control with a read-only state ("Locked").
class TextBox {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }
  std::wstring Text() const { return WindowText(hwnd_); }
  bool SetText(const std::wstring& text) { return SetWindowTextChecked(hwnd_, text); }
  bool Locked() const { return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & ES_READONLY) != 0; }
  bool SetLocked(bool locked) {
    return SendMessageW(hwnd_, EM_SETREADONLY, locked ? TRUE : FALSE, 0) != FALSE;
  }
  bool SelectAll() {
    SendMessageW(hwnd_, EM_SETSEL, 0, -1);  // answers nothing
    return hwnd_ != nullptr;
  }
  bool Focus() {
    SetFocus(hwnd_);
    return GetFocus() == hwnd_;
  }

 private:
  HWND hwnd_ = nullptr;
};

// A list box of text items, each carrying a number (the hidden cache list).
class ListBox {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }
  bool Clear() {
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);  // answers nothing
    return Count() == 0;
  }
  // The item's position, -1 on failure; Count() appends.
  int Insert(int index, const std::wstring& text, LPARAM data);
  // A list box without data (LBS_NODATA) only counts its items.
  bool SetCount(int count) {
    return SendMessageW(hwnd_, LB_SETCOUNT, static_cast<WPARAM>(count), 0) >= 0 && Count() == count;
  }
  bool Remove(int index) { return SendMessageW(hwnd_, LB_DELETESTRING, index, 0) >= 0; }
  LPARAM Data(int index) const;
  int Count() const;
  int SelectedIndex() const;  // -1 when none
  bool Select(int index) {
    SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);  // -1 both for none and failure
    return SelectedIndex() == index;
  }

 private:
  HWND hwnd_ = nullptr;
};

class Button {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }
  // EnableWindow answers the state before, not whether it took effect.
  bool SetEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    return Enabled() == enabled;
  }
  bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

 private:
  HWND hwnd_ = nullptr;
};

// Sends a control's messages through `proc` before the control's own procedure, the classic
// way (GWLP_WNDPROC, the owner in GWLP_USERDATA). The comctl32 subclass helpers look their data
// up in a window property on every message, which Wine answers through its server: filling the
// entry list with 10,000 rows took three times as long with them.
class ControlSubclass {
 public:
  bool Attach(HWND control, WNDPROC proc, void* owner);
  LRESULT CallOriginal(HWND control, UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(original_, control, message, wParam, lParam);
  }
  template <typename Owner>
  static Owner* OwnerOf(HWND control) {
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(control, GWLP_USERDATA));
  }

 private:
  WNDPROC original_ = DefWindowProcW;
};
