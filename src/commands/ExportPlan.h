#pragma once
// The names an export of one registration uses. Platform-free.
#include <string>
#include <string_view>

#include "catalogue/AppPathEntry.h"

// The registry editor's path of the registration's key below the root of that name:
// <rootName>\Software\Microsoft\Windows\CurrentVersion\App Paths\<entry name>.
std::wstring ExportKeyPath(std::wstring_view rootName, std::wstring_view entryName);

// The file name the save dialog proposes: the entry name with its last three characters
// replaced by "reg" (Winword.exe -> Winword.reg, Tool.ex -> Toolreg); empty for a name of fewer
// than three characters, which has nothing to replace.
std::wstring ExportProposal(std::wstring_view entryName);
