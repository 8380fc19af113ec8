#pragma once
// The rows of a dialog's check-box list that may not be checked: their boxes stay empty
// whatever is clicked or typed, and they are drawn in the grey of disabled text. Shared by the
// clean-up's and the comparison's dialogs.
#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace CheckableRows {

// True when `change` (LVN_ITEMCHANGING) would check a row that `mayCheck` refuses.
bool RefusesCheck(const NMLISTVIEW& change, const std::vector<bool>& mayCheck);

// The answer to NM_CUSTOMDRAW: the `greyed` rows in the grey of disabled text.
LRESULT GreyRows(NMLVCUSTOMDRAW& draw, const std::vector<bool>& greyed);

}  // namespace CheckableRows
