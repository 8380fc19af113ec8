#pragma once
// Which values a save writes. Platform-free.
#include <string_view>

// A box is written when its text differs from the text loaded into it, or when the save must
// write the whole registration (`writeAnyway`).
bool ValueWasEdited(std::wstring_view text, std::wstring_view loaded, bool writeAnyway);
