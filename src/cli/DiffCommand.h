#pragma once
// velmarin.exe /diff FILE: what changed in the registrations since a registration file.
#include <optional>
#include <string>

#include "cli/Arguments.h"
#include "cli/Console.h"

// Prints one line per difference, or with `format` their records, and returns their number as
// the exit code (CliExit).
int Diff(const std::wstring& fileArgument, std::optional<OutputFormat> format, OutputChannel& out);
