#include "ui/dialogs/FindDialog.h"

#include <string>

#include "texts/Texts.h"
#include "ui/Prompts.h"
#include "ui/controls/Controls.h"
#include "ui/dialogs/Dialog.h"
#include "ui/dialogs/DialogIds.h"

namespace FindDialog {
namespace {

class Find final : public Dialog {
 public:
  Find(const SearchRequest& last, Prompts& prompts)
      : Dialog(IDD_FIND, Texts::kFindCaption, prompts), request(last) {}

  SearchRequest request;

 private:
  INT_PTR OnInit() override {
    SetItemTexts({{IDC_FIND_LABEL, Texts::kFindPatternLabel}, {IDC_FIND_WHERE, Texts::kFindWhere},
                  {IDC_FIND_NAME, Texts::kFindFileName},      {IDC_FIND_ALL, Texts::kFindAllColumns},
                  {IDC_FIND_CASE, Texts::kFindMatchCase},     {IDC_FIND_HINT, Texts::kFindHint},
                  {IDOK, Texts::kFindButton},
                  {IDCANCEL, Texts::kCancelButton}});
    TextBox pattern;
    pattern.Attach(Item(IDC_FIND_PATTERN));
    pattern.SetText(request.pattern);
    CheckRadioButton(Window(), IDC_FIND_NAME, IDC_FIND_ALL,
                     request.allColumns ? IDC_FIND_ALL : IDC_FIND_NAME);
    CheckDlgButton(Window(), IDC_FIND_CASE, request.matchCase ? BST_CHECKED : BST_UNCHECKED);
    pattern.SelectAll();
    pattern.Focus();
    return FALSE;  // the focus is set
  }

  bool OnOk() override {
    request.pattern = WindowText(Item(IDC_FIND_PATTERN));
    request.allColumns = IsDlgButtonChecked(Window(), IDC_FIND_ALL) == BST_CHECKED;
    request.matchCase = IsDlgButtonChecked(Window(), IDC_FIND_CASE) == BST_CHECKED;
    return true;
  }
};

}  // namespace

std::optional<SearchRequest> Show(HWND owner, const SearchRequest& last, Prompts& prompts) {
  Find dialog(last, prompts);
  if (!dialog.Run(owner)) return std::nullopt;
  return dialog.request;
}

}  // namespace FindDialog

std::optional<SearchRequest> SystemPrompts::AskSearch(HWND owner, const SearchRequest& last) {
  return FindDialog::Show(owner, last, *this);
}
