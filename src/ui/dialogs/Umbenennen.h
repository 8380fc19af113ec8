#pragma once
// The rename dialog: asks for a registration's new file name and checks its file type against
// the registered program before accepting it.
#include <windows.h>

#include <optional>
#include <string>

class Prompts;

namespace Umbenennen {

// Shows the dialog modally over `owner` with `proposed` in the name field, fully selected.
// Returns the accepted name, or nothing when the user cancelled or closed the dialog. The type
// questions are asked through `prompts`, and so is the report of a failure nobody foresaw (the
// dialog then ends as cancelled).
std::optional<std::wstring> Show(HWND owner, const std::wstring& proposed,
                                 const std::wstring& installation, Prompts& prompts);

}  // namespace Umbenennen
