#pragma once
// Letter case by the user's locale, for texts of any script. Platform-free interface: Windows
// maps case through the system, the native test build through the C library.
#include <string>
#include <string_view>

std::wstring ToUpper(std::wstring_view text);
std::wstring ToLower(std::wstring_view text);

// Text in the system's ANSI code page (registration files of the "REGEDIT4" kind), NULs kept.
// The native test build stands in Latin-1 for it (code page 1252 agrees on the letters tested).
std::wstring FromAnsi(std::string_view bytes);

// Position of the first occurrence of `needle` in `text`, letter case ignored; npos when none.
size_t FindIgnoreCase(std::wstring_view text, std::wstring_view needle);
