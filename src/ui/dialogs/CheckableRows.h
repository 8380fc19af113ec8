#pragma once
// The rows of a dialog's check-box list that may not be checked: their boxes stay empty
// whatever is clicked or typed, and they are drawn in the grey of disabled text. Shared by the
// clean-up's and the comparison's dialogs.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

class ListView;

namespace CheckableRows {

// Four columns with check boxes in the first, their widths given at 96 DPI and scaled to the
// dialog's.
void AddColumns(ListView& list, HWND dialog, const std::array<const wchar_t*, 4>& headers,
                const std::array<int, 4>& widths);

// A row of four texts at the end; its position.
int AddRow(ListView& list, const std::array<std::wstring, 4>& texts);

// True when `change` (LVN_ITEMCHANGING) would check a row that `mayCheck` refuses.
bool RefusesCheck(const NMLISTVIEW& change, const std::vector<bool>& mayCheck);

// The answer to NM_CUSTOMDRAW: the `greyed` rows in the grey of disabled text.
LRESULT GreyRows(NMLVCUSTOMDRAW& draw, const std::vector<bool>& greyed);

}  // namespace CheckableRows
