#include "ui/dialogs/CheckableRows.h"

namespace CheckableRows {

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
