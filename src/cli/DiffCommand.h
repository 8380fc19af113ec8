#pragma once
// velmarin.exe /diff FILE: what changed in the registrations since a registration file.
#include <string>

#include "cli/Console.h"

// Prints one line per difference and returns their number as the exit code (CliExit).
int Diff(const std::wstring& fileArgument, OutputChannel& out);
