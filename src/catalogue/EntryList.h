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

// The row a cache line becomes: FileName, KeyName, Installation as shown, Directory, Status.
AppPathEntry RowFromCacheLine(std::wstring_view line, const ExistenceTest& fileExists);

// " 3 Fehlerhafte Einträge"
std::wstring BrokenCountCaption(int broken);
