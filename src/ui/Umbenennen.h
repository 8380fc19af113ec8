#pragma once
// The rename dialog: asks for a registration's new file name and checks its file type against
// the registered program before accepting it.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/UmbenennenResource.h"

class Prompts;

namespace Umbenennen {

// Control ids, public so tests can drive the dialog.
inline constexpr int kRNamen = IDC_UMBENENNEN_RNAMEN;
inline constexpr int kTName = IDC_UMBENENNEN_TNAME;
inline constexpr int kBReady = IDOK;          // default button: Enter
inline constexpr int kBAbbrechen = IDCANCEL;  // cancel button: Escape and the close box
inline constexpr int kBHilfe = IDC_UMBENENNEN_BHILFE;
inline constexpr int kPBilddatei = IDC_UMBENENNEN_PBILDDATEI;
inline constexpr int kLabel2 = IDC_UMBENENNEN_LABEL2;

// Shows the dialog modally over `owner` with `proposed` in the name field, fully selected.
// Returns the accepted name, or nothing when the user cancelled or closed the dialog. The type
// questions are asked through `prompts`, and so is the report of a failure nobody foresaw (the
// dialog then ends as cancelled).
std::optional<std::wstring> Show(HWND owner, const std::wstring& proposed,
                                 const std::wstring& installation, Prompts& prompts);

}  // namespace Umbenennen
