#pragma once
// The rename dialog: asks for a registration's new file name and checks its file type against
// the registered program before accepting it.
#include <windows.h>

#include <optional>
#include <string>

class Prompts;

namespace Umbenennen {

// Control ids, public so tests can drive the dialog.
inline constexpr int kRNamen = 1001;
inline constexpr int kTName = 1002;
inline constexpr int kBReady = IDOK;          // default button: Enter
inline constexpr int kBAbbrechen = IDCANCEL;  // cancel button: Escape and the close box
inline constexpr int kBHilfe = 1003;
inline constexpr int kPBilddatei = 1004;
inline constexpr int kLabel2 = 1005;

// Shows the dialog modally over `owner` with `proposed` in the name field, fully selected.
// Returns the accepted name, or nothing when the user cancelled or closed the dialog. The type
// questions are asked through `prompts`.
std::optional<std::wstring> Show(HWND owner, const std::wstring& proposed,
                                 const std::wstring& installation, Prompts& prompts);

}  // namespace Umbenennen
