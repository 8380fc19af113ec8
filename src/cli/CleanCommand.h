#pragma once
// velmarin.exe /clean UNDOFILE: the window's clean-up of every broken registration that may go,
// without asking.
#include <string>

#include "cli/Console.h"

// Removes them after writing their undo file `undoArgument` (relative to the current folder;
// an existing file is refused), prints each removed and each kept registration and a summary.
// Returns the count of broken registrations kept, or a CliExit failure code.
int Clean(const std::wstring& undoArgument, OutputChannel& out);
