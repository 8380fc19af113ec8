#pragma once
// Letter case by the user's locale, for texts of any script. Platform-free interface: Windows
// maps case through the system, the native test build through the C library.
#include <string>
#include <string_view>

std::wstring ToUpper(std::wstring_view text);
std::wstring ToLower(std::wstring_view text);

// Position of the first occurrence of `needle` in `text`, letter case ignored; npos when none.
size_t FindIgnoreCase(std::wstring_view text, std::wstring_view needle);
