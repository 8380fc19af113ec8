#pragma once
// From cache lines to the rows of the entry list, with the status of each. Platform-free: the
// existence test is passed in.
#include <functional>
#include <string>
#include <string_view>

#include "catalogue/AppPathEntry.h"

using ExistenceTest = std::function<bool(const std::wstring& path)>;

// The program file an installation text names: the text between the quotes of a quoted path,
// otherwise the text up to ".exe " (arguments cut off), otherwise the whole text.
std::wstring TestedPath(std::wstring_view installation);

// What follows the program TestedPath names, as it stands: the text after the closing quote of
// a quoted path, or after the ".exe" that ends an unquoted one (" /n" for C:\X\a.exe /n);
// empty when nothing follows.
std::wstring ArgumentsAfterProgram(std::wstring_view installation);

// The status a row with this installation shows: the file TestedPath names exists, it does not,
// or there is no path at all.
EntryStatus InstallationStatus(std::wstring_view installation, const ExistenceTest& fileExists);

