#pragma once
// Existence tests for files and folders.
#include <string>

// True when a file search for `path` finds anything: a file, a folder, or (with * or ?) any match.
// Asks the cheaper attribute query first wherever it gives the search's answer.
bool FileExists(const std::wstring& path);

// True when the file system reports attributes for `path` (a file or a folder).
bool PathExists(const std::wstring& path);

// Why the file system reports no attributes for `path`: the system's error code (a Win32
// code), ERROR_SUCCESS (0) when it reports them.
unsigned long FileAttributesError(const std::wstring& path);
