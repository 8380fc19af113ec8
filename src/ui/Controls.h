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
  bool Locked() const;
  bool SetLocked(bool locked);
  bool SelectAll();
  bool Focus();

 private:
  HWND hwnd_ = nullptr;
};

// A list box of plain text items (the hidden cache list).
class ListBox {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }
  bool Clear();
  int Append(const std::wstring& text, LPARAM data = 0);  // index of the new item, -1 on failure
  // Puts `text` with `data` in place of the item carrying `data`, or appends it.
  int Put(const std::wstring& text, LPARAM data);
  bool RemoveData(LPARAM data);
  LPARAM Data(int index) const;
  int Count() const;
  int SelectedIndex() const;  // -1 when none
  bool Select(int index);

 private:
  int IndexOfData(LPARAM data) const;

  HWND hwnd_ = nullptr;
};

class Button {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }
  void SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

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
