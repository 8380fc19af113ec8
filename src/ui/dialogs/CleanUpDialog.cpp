#include "ui/dialogs/CleanUpDialog.h"

#include <commctrl.h>

#include <iterator>

#include "texts/Texts.h"
#include "ui/Prompts.h"
#include "ui/controls/ListView.h"
#include "ui/dialogs/Dialog.h"
#include "ui/dialogs/DialogIds.h"

namespace CleanUpDialog {
namespace {

constexpr int kColumnWidths[] = {90, 105, 180, 200};  // pixels at 96 DPI; the first holds the box too

class CleanUp final : public Dialog {
 public:
  CleanUp(const std::vector<CleanUpRow>& rows, Prompts& prompts)
      : Dialog(IDD_CLEANUP, Texts::kCleanUpCaption, prompts), rows_(rows) {}

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
    const wchar_t* headers[] = {Texts::kCleanUpHeaderScope, Texts::kCleanUpHeaderName,
                                Texts::kCleanUpHeaderStatus, Texts::kCleanUpHeaderInstallation};
    const UINT dpi = GetDpiForWindow(Window());
    for (size_t i = 0; i < std::size(headers); ++i)
      list_.AddColumn(headers[i], MulDiv(kColumnWidths[i], dpi == 0 ? 96 : static_cast<int>(dpi), 96));
  }

  void AddRows() {
    list_.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (const CleanUpRow& row : rows_) {
      const int at = list_.InsertRow(list_.Count(), row.scope);
      list_.SetText(at, 1, row.name);
      list_.SetText(at, 2, row.status);
      list_.SetText(at, 3, row.installation);
      list_.SetChecked(at, row.removable);
    }
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
    if (header.code == LVN_ITEMCHANGING)
      return NotifyResult(RefusesCheck(reinterpret_cast<const NMLISTVIEW&>(header)) ? TRUE : FALSE);
    if (header.code == NM_CUSTOMDRAW)
      return NotifyResult(GreyRefusedRows(reinterpret_cast<NMLVCUSTOMDRAW&>(header)));
    return FALSE;
  }

  // A row that may not be removed keeps its box empty whatever is clicked.
  bool RefusesCheck(const NMLISTVIEW& change) const {
    if (change.iItem < 0 || static_cast<size_t>(change.iItem) >= rows_.size()) return false;
    if ((change.uChanged & LVIF_STATE) == 0) return false;
    const bool checking = (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
    return checking && !rows_[static_cast<size_t>(change.iItem)].removable;
  }

  // Rows that may not be removed are drawn in the grey of disabled text.
  LRESULT GreyRefusedRows(NMLVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const size_t row = draw.nmcd.dwItemSpec;
    if (row < rows_.size() && !rows_[row].removable) draw.clrText = GetSysColor(COLOR_GRAYTEXT);
    return CDRF_DODEFAULT;
  }

  const std::vector<CleanUpRow>& rows_;
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
