#include "ui/dialogs/ComparisonDialog.h"

#include <commctrl.h>

#include <array>

#include "texts/CompareTexts.h"
#include "texts/Texts.h"
#include "ui/Prompts.h"
#include "ui/controls/ListView.h"
#include "ui/dialogs/CheckableRows.h"
#include "ui/dialogs/Dialog.h"
#include "ui/dialogs/DialogIds.h"

namespace ComparisonDialog {
namespace {

constexpr std::array<int, 4> kColumnWidths = {85, 130, 130, 230};  // pixels at 96 DPI; the first holds the box too

class Differences final : public Dialog {
 public:
  Differences(const std::wstring& file, const std::vector<DifferenceRow>& rows, Prompts& prompts)
      : Dialog(IDD_COMPARISON, Texts::kCompareCaption, prompts), file_(file), rows_(rows) {
    for (const DifferenceRow& row : rows) {
      restorable_.push_back(row.offer == RowOffer::Restorable);
      refused_.push_back(row.offer == RowOffer::Refused);
    }
  }

  std::vector<bool> checked;

 private:
  INT_PTR OnInit() override {
    SetItemTexts({{IDC_COMPARE_TEXT, Texts::kCompareExplanation},
                  {IDOK, Texts::kCompareOk},
                  {IDCANCEL, Texts::kCompareClose}});
    SetDlgItemTextW(Window(), IDC_COMPARE_FILE, file_.c_str());
    list_.Attach(Item(IDC_COMPARE_LIST));
    AddColumns();
    AddRows();
    shown_ = true;
    return TRUE;
  }

  void AddColumns() {
    CheckableRows::AddColumns(list_, Window(),
                              {Texts::kCompareHeaderScope, Texts::kCompareHeaderName,
                               Texts::kCompareHeaderChange, Texts::kCompareHeaderParts},
                              kColumnWidths);
  }

  void AddRows() {
    for (const DifferenceRow& row : rows_) {
      const int at = CheckableRows::AddRow(list_, {row.scope, row.name, row.change, row.parts});
      if (row.offer == RowOffer::None) list_.HideCheckBox(at);
    }
  }

  bool OnOk() override {
    checked.assign(rows_.size(), false);
    for (size_t i = 0; i < rows_.size(); ++i)
      checked[i] = restorable_[i] && list_.Checked(static_cast<int>(i));
    return true;
  }

  INT_PTR OnMessage(UINT message, WPARAM, LPARAM lParam) override {
    if (message != WM_NOTIFY) return FALSE;
    auto& header = *reinterpret_cast<NMHDR*>(lParam);
    if (header.idFrom != IDC_COMPARE_LIST) return FALSE;
    if (header.code == LVN_ITEMCHANGING)
      return NotifyResult(RefusesChange(reinterpret_cast<const NMLISTVIEW&>(header)));
    if (header.code == NM_CUSTOMDRAW)
      return NotifyResult(
          CheckableRows::GreyRows(reinterpret_cast<NMLVCUSTOMDRAW&>(header), refused_));
    return FALSE;
  }

  // Refused rows keep an empty box; a row without a box (the space bar would give it one) keeps
  // none once the dialog is shown.
  bool RefusesChange(const NMLISTVIEW& change) const {
    if (CheckableRows::RefusesCheck(change, restorable_)) return true;
    if (!shown_ || change.iItem < 0 || static_cast<size_t>(change.iItem) >= rows_.size())
      return false;
    const bool boxChanges = (change.uChanged & LVIF_STATE) != 0 &&
                            ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0;
    return boxChanges && rows_[static_cast<size_t>(change.iItem)].offer == RowOffer::None;
  }

  const std::wstring& file_;
  const std::vector<DifferenceRow>& rows_;
  std::vector<bool> restorable_;
  std::vector<bool> refused_;
  bool shown_ = false;
  ListView list_;
};

}  // namespace

std::optional<std::vector<bool>> Show(HWND owner, const std::wstring& file,
                                      const std::vector<DifferenceRow>& rows, Prompts& prompts) {
  Differences dialog(file, rows, prompts);
  if (!dialog.Run(owner)) return std::nullopt;
  return dialog.checked;
}

}  // namespace ComparisonDialog

std::optional<std::vector<bool>> SystemPrompts::AskRestore(HWND owner, const std::wstring& file,
                                                           const std::vector<DifferenceRow>& rows) {
  return ComparisonDialog::Show(owner, file, rows, *this);
}
