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

// Letter case of single UTF-16 code units, as the above maps them; the tables behind these are
// made once per process.
wchar_t UpperUnit(wchar_t c);
wchar_t LowerUnit(wchar_t c);
// The case-folded form of a code unit: all units with the same upper and the same lower case
// fold to one of them, so that a text folded once can be searched by plain comparison.
wchar_t FoldUnit(wchar_t c);
// True when the units that equal `c` in either case (the same upper or the same lower case) are
// exactly those that fold as `c` does. Not so for i: the dotless ı has its upper case I but a
// lower case of its own.
bool FoldIsExact(wchar_t c);
std::wstring FoldCase(std::wstring_view text);

// The host's mapping of every code unit, for the tables above (NUL and the surrogate halves map
// to themselves).
void MapEveryUnit(wchar_t* upper, wchar_t* lower);
