#pragma once
// The hidden main window for the editor panel's and the list's events: they are sent as the
// messages the controls receive, and the window counts the pop-up menus it really opens.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "support/RootFixture.h"

class PanelWindowFixture : public RootFixture {
 protected:
  void TearDown() override {
    for (int key : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON}) Hold(key, false);
    if (root_ && root_->Handle() != nullptr)
      RemoveWindowSubclass(root_->Handle(), &CountMenuLoops, 0);
    RootFixture::TearDown();
  }

  void WindowOpened() override {
    menuLoops_ = 0;
    SetWindowSubclass(root_->Handle(), &CountMenuLoops, 0, reinterpret_cast<DWORD_PTR>(this));
  }

  Root& W() { return *root_; }
  HWND ListHandle() { return List().Handle(); }

  // The row of a new entry, selected and copied into the panel with Text1 editable.
  void StartNewEntry() {
    W().StartNewEntry();
    ASSERT_EQ(SelectedText(), L"Neuer Eintrag");
    ASSERT_EQ(W().Mode(), PanelMode::NewEntry);
  }

  // ---- Messages as the controls receive them ----

  void Type(TextBox& box, wchar_t character) {
    SendMessageW(box.Handle(), WM_CHAR, character, 1);
  }
  // The timer's tick, and the answer of the test it started.
  void Tick() {
    SendMessageW(W().Handle(), WM_TIMER, Root::kTimer1, 0);
    Settle();
  }
  void NotifyFromList(UINT code, int subItem = 0) {
    NMLISTVIEW info{};
    info.hdr.hwndFrom = ListHandle();
    info.hdr.idFrom = Root::kLstFileList;
    info.hdr.code = code;
    info.iItem = -1;
    info.iSubItem = subItem;
    SendMessageW(W().Handle(), WM_NOTIFY, Root::kLstFileList, reinterpret_cast<LPARAM>(&info));
  }
  void KeyPress(WPARAM key) {
    SendMessageW(ListHandle(), WM_KEYDOWN, key, 1);
    SendMessageW(ListHandle(), WM_KEYUP, key, 0xC0000001);
  }
  // A point inside the row's cells, in the list's client coordinates.
  LPARAM PointOnRow(int row) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageW(ListHandle(), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&r));
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  // The key state the list's handlers read: a button counts as held until its release message
  // has been read.
  static void Hold(int virtualKey, bool held) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[virtualKey] = held ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  static bool Held(int virtualKey) { return GetKeyState(virtualKey) < 0; }

  // Lets the window handle what is waiting for it, including the timer.
  static void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  // How often a menu's modal loop really started on the window.
  int MenuLoops() const { return menuLoops_; }
  // The items of the pop-up menu that opened last, as it opened: '+' enabled, '-' greyed.
  const std::wstring& MenuStates() const { return menuStates_; }

  // Ends any pop-up menu shortly after it opened, so a test that opens one does not wait for a
  // person.
  class MenuCloser {
   public:
    MenuCloser() : timer_(SetTimer(nullptr, 0, 50, &Close)) {}
    ~MenuCloser() { KillTimer(nullptr, timer_); }
    MenuCloser(const MenuCloser&) = delete;
    MenuCloser& operator=(const MenuCloser&) = delete;

   private:
    static void CALLBACK Close(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }
    UINT_PTR timer_;
  };

 private:
  static LRESULT CALLBACK CountMenuLoops(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    auto* fixture = reinterpret_cast<PanelWindowFixture*>(self);
    if (message == WM_ENTERMENULOOP) ++fixture->menuLoops_;
    if (message == WM_INITMENUPOPUP) {
      const auto menu = reinterpret_cast<HMENU>(wParam);
      fixture->menuStates_.clear();
      for (int item = 0; item < GetMenuItemCount(menu); ++item)
        if (const UINT state = GetMenuState(menu, item, MF_BYPOSITION); (state & MF_SEPARATOR) == 0)
          fixture->menuStates_ += (state & MF_GRAYED) != 0 ? L'-' : L'+';
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

  int menuLoops_ = 0;
  std::wstring menuStates_;
};
