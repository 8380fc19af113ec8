#pragma once
// File-system paths of the shell's special folders.
#include <string>

inline constexpr int kCsidlProgramFiles = 0x26;
inline constexpr int kCsidlWindows = 0x24;

// The folder's path, or the empty text when the shell does not know the CSIDL.
std::wstring SpecialFolderPath(int csidl);
