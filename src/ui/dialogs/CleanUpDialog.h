#pragma once
// "Fehlerhafte Einträge bereinigen ...": the broken registrations, each with a check box; the
// ones that may not be removed are shown greyed and cannot be checked.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class Prompts;

struct CleanUpRow {
  std::wstring scope;
  std::wstring name;
  std::wstring status;  // what the legend calls it
  std::wstring installation;
  bool removable = true;  // false: shown unchecked and greyed, with the reason as its status
};

namespace CleanUpDialog {

// Shows the dialog modally over `owner`; which rows are checked when the user confirms, or
// nothing when the user cancelled or closed it. A failure nobody foresaw is reported through
// `prompts`.
std::optional<std::vector<bool>> Show(HWND owner, const std::vector<CleanUpRow>& rows,
                                      Prompts& prompts);

}  // namespace CleanUpDialog
