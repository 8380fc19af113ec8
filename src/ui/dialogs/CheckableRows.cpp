#include "ui/dialogs/CheckableRows.h"

#include "ui/controls/ListView.h"

namespace CheckableRows {

void AddColumns(ListView& list, HWND dialog, const std::array<const wchar_t*, 4>& headers,
                const std::array<int, 4>& widths) {
  list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  const UINT dpi = GetDpiForWindow(dialog);
  for (size_t i = 0; i < headers.size(); ++i)
    list.AddColumn(headers[i], MulDiv(widths[i], dpi == 0 ? 96 : static_cast<int>(dpi), 96));
}

int AddRow(ListView& list, const std::array<std::wstring, 4>& texts) {
  const int at = list.InsertRow(list.Count(), texts[0]);
  for (int column = 1; column < 4; ++column) list.SetText(at, column, texts[static_cast<size_t>(column)]);
  return at;
}

bool RefusesCheck(const NMLISTVIEW& change, const std::vector<bool>& mayCheck) {
  if (change.iItem < 0 || static_cast<size_t>(change.iItem) >= mayCheck.size()) return false;
  if ((change.uChanged & LVIF_STATE) == 0) return false;
  const bool checking = (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
  return checking && !mayCheck[static_cast<size_t>(change.iItem)];
}

LRESULT GreyRows(NMLVCUSTOMDRAW& draw, const std::vector<bool>& greyed) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const size_t row = draw.nmcd.dwItemSpec;
  if (row < greyed.size() && greyed[row]) draw.clrText = GetSysColor(COLOR_GRAYTEXT);
  return CDRF_DODEFAULT;
}

}  // namespace CheckableRows
