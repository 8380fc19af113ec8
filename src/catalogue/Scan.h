#pragma once
// Reading the App Paths key into cache lines.
#include <windows.h>

#include <string>
#include <vector>

// One cache line per registration below root\path, in the registry's enumeration order, with the
// folder tokens replaced. The key is opened for reading only.
std::vector<std::wstring> ScanCacheLines(HKEY root, const std::wstring& path);
