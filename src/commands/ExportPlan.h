#pragma once
// The names an export of one registration uses. Platform-free.
#include <string>
#include <string_view>

#include "catalogue/AppPathEntry.h"

// The file name the save dialog proposes: the entry name with its last three characters
// replaced by "reg" (Winword.exe -> Winword.reg, Tool.ex -> Toolreg); empty for a name of fewer
// than three characters, which has nothing to replace.
std::wstring ExportProposal(std::wstring_view entryName);
