#pragma once
// Reading the App Paths key into cache lines.
#include <windows.h>

#include <string>
#include <vector>

// One cache line per registration below root\path, in the registry's enumeration order, with the
// folder tokens replaced. The key is opened for reading only. A default value or "Path" that is
// not text (a number, binary data, a list of texts) gives an empty field; text is taken up to its
// first NUL. A sub-key that cannot be opened for reading gives no line.
std::vector<std::wstring> ScanCacheLines(HKEY root, const std::wstring& path);
