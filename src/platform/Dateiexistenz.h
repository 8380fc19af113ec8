#pragma once
// Existence tests for files and folders.
#include <string>

// True when a file search for `path` finds anything: a file, a folder, or (with * or ?) any match.
// Asks the cheaper attribute query first wherever it gives the search's answer.
bool FileExists(const std::wstring& path);

// True when the file system reports attributes for `path` (a file or a folder).
bool PathExists(const std::wstring& path);

// True when `path` names a folder (a file: IsFile); false when it names nothing or cannot be asked.
bool IsFolder(const std::wstring& path);
bool IsFile(const std::wstring& path);
