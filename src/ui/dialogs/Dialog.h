#pragma once
// The base of the program's modal dialogs, which are laid out in its resources: one dialog
// procedure, which takes `this` from WM_INITDIALOG and hands every message to the dialog's
// virtual handlers. OK ends the dialog as confirmed once OnOk agrees, Cancel (Escape, the close
// box) as cancelled. Nothing unwinds through the dialog manager: a failure nobody foresaw is
// reported, titled with the dialog's caption, and ends the dialog as cancelled, so nothing the
// dialog was asked for happens.
#include <windows.h>

#include <initializer_list>
#include <utility>

class Prompts;

class Dialog {
 public:
  Dialog(int resource, const wchar_t* caption, Prompts& prompts)
      : resource_(resource), caption_(caption), prompts_(prompts) {}
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Shows the dialog modally over `owner`; true when the user confirmed it.
  bool Run(HWND owner);

 protected:
  virtual ~Dialog() = default;
  // WM_INITDIALOG, after the caption was set: FALSE when the focus was set here.
  virtual INT_PTR OnInit() = 0;
  // The click on OK: true ends the dialog as confirmed.
  virtual bool OnOk() { return true; }
  // Every other message; FALSE leaves it to the dialog manager.
  virtual INT_PTR OnMessage(UINT, WPARAM, LPARAM) { return FALSE; }

  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  Prompts& Ask() const { return prompts_; }
  // The texts of the dialog's controls, set from the program's texts when it opens.
  void SetItemTexts(std::initializer_list<std::pair<int, const wchar_t*>> texts);
  // The answer to a WM_NOTIFY, which a dialog hands over through DWLP_MSGRESULT.
  INT_PTR NotifyResult(LRESULT result);

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void ReportUnexpectedError(HWND window);

  int resource_;
  const wchar_t* caption_;
  Prompts& prompts_;
  HWND window_ = nullptr;
  bool confirmed_ = false;
};
