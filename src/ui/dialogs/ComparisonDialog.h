#pragma once
// "Vergleichen mit ...": one row per registration that differs from a registration file. Removed
// and changed rows have a check box; the checked ones are restored. Rows that may not be
// restored (protected names, the machine's key without rights) are greyed and stay unchecked;
// added rows have no box.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class Prompts;

enum class RowOffer {
  None,        // nothing to restore (an added registration): no check box
  Restorable,  // a box, unchecked at first
  Refused,     // greyed, the box stays empty; the reason stands in its change
};

struct DifferenceRow {
  std::wstring scope;
  std::wstring name;
  std::wstring change;  // hinzugefügt, entfernt, geändert (and why it is refused)
  std::wstring parts;   // what differs in a changed one
  RowOffer offer = RowOffer::None;
};

namespace ComparisonDialog {

// Shows the dialog modally over `owner` for the registration file `file`; which rows are checked
// when the user asks for the restore, or nothing when the user closed it. A failure nobody
// foresaw is reported through `prompts`.
std::optional<std::vector<bool>> Show(HWND owner, const std::wstring& file,
                                      const std::vector<DifferenceRow>& rows, Prompts& prompts);

}  // namespace ComparisonDialog
