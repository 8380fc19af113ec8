#pragma once
// Splitting a path at its last backslash. Platform-free.
#include <string>

// The part after the last backslash (the whole path when it has none).
std::wstring FileNamePart(const std::wstring& path);

// The part up to and including the last backslash (empty when there is none).
std::wstring DirectoryPart(const std::wstring& path);
