#pragma once
// Reading the App Paths key into entries.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue/EntryValues.h"

FolderPaths LookUpFolderPaths();

// One entry per sub-key of root\path that can be read, in the registry's enumeration order.
// The key is opened for reading only. No status yet.
std::vector<AppPathEntry> ScanEntries(HKEY root, const std::wstring& path);

// The entry of one sub-key as the registry holds it now; nothing when it cannot be read.
std::optional<AppPathEntry> ReadEntry(HKEY root, const std::wstring& path,
                                      const std::wstring& keyName);
