#include "ui/dialogs/CleanUpDialog.h"

#include <commctrl.h>

#include <array>

#include "texts/Texts.h"
#include "ui/Prompts.h"
#include "ui/controls/ListView.h"
#include "ui/dialogs/CheckableRows.h"
#include "ui/dialogs/Dialog.h"
#include "ui/dialogs/DialogIds.h"

namespace CleanUpDialog {
namespace {

constexpr std::array<int, 4> kColumnWidths = {90, 105, 180, 200};  // pixels at 96 DPI; the first holds the box too

class CleanUp final : public Dialog {
 public:
  CleanUp(const std::vector<CleanUpRow>& rows, Prompts& prompts)
      : Dialog(IDD_CLEANUP, Texts::kCleanUpCaption, prompts), rows_(rows) {
    for (const CleanUpRow& row : rows) {
      removable_.push_back(row.removable);
      refused_.push_back(!row.removable);
    }
  }

  std::vector<bool> checked;

 private:
  INT_PTR OnInit() override {
    SetItemTexts({{IDC_CLEANUP_TEXT, Texts::kCleanUpExplanation},
                  {IDOK, Texts::kCleanUpOk},
                  {IDCANCEL, Texts::kCancelButton}});
    list_.Attach(Item(IDC_CLEANUP_LIST));
    AddColumns();
    AddRows();
    return TRUE;
  }

  void AddColumns() {
    CheckableRows::AddColumns(list_, Window(),
                              {Texts::kCleanUpHeaderScope, Texts::kCleanUpHeaderName,
                               Texts::kCleanUpHeaderStatus, Texts::kCleanUpHeaderInstallation},
                              kColumnWidths);
  }

  void AddRows() {
    for (const CleanUpRow& row : rows_)
      list_.SetChecked(CheckableRows::AddRow(list_, {row.scope, row.name, row.status, row.installation}),
                       row.removable);
  }

  bool OnOk() override {
    checked.assign(rows_.size(), false);
    for (size_t i = 0; i < rows_.size(); ++i)
      checked[i] = rows_[i].removable && list_.Checked(static_cast<int>(i));
    return true;
  }

  INT_PTR OnMessage(UINT message, WPARAM, LPARAM lParam) override {
    if (message != WM_NOTIFY) return FALSE;
    auto& header = *reinterpret_cast<NMHDR*>(lParam);
    if (header.idFrom != IDC_CLEANUP_LIST) return FALSE;
    // A row that may not be removed keeps its box empty and is drawn greyed.
    if (header.code == LVN_ITEMCHANGING)
      return NotifyResult(
          CheckableRows::RefusesCheck(reinterpret_cast<const NMLISTVIEW&>(header), removable_));
    if (header.code == NM_CUSTOMDRAW)
      return NotifyResult(
          CheckableRows::GreyRows(reinterpret_cast<NMLVCUSTOMDRAW&>(header), refused_));
    return FALSE;
  }

  const std::vector<CleanUpRow>& rows_;
  std::vector<bool> removable_;
  std::vector<bool> refused_;
  ListView list_;
};

}  // namespace

std::optional<std::vector<bool>> Show(HWND owner, const std::vector<CleanUpRow>& rows,
                                      Prompts& prompts) {
  CleanUp dialog(rows, prompts);
  if (!dialog.Run(owner)) return std::nullopt;
  return dialog.checked;
}

}  // namespace CleanUpDialog

std::optional<std::vector<bool>> SystemPrompts::AskCleanUp(HWND owner,
                                                           const std::vector<CleanUpRow>& rows) {
  return CleanUpDialog::Show(owner, rows, *this);
}
