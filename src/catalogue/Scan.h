#pragma once
// Reading the two App Paths keys into entries.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EntryValues.h"

FolderPaths LookUpFolderPaths();

// HKEY_LOCAL_MACHINE for the machine's registrations; for the user's, the key UserScope
// decided on (HKEY_CURRENT_USER, or the signed-in user's hive).
HKEY RootOf(Scope scope);

// The scope whose root RootOf gives; any other root counts as the machine's.
Scope ScopeOfRoot(HKEY root);

// The registry editor's name of the scope's root: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER or
// HKEY_USERS\<SID>.
std::wstring RootName(Scope scope);

// The registry editor's full name of the scope's App Paths key, or with `keyName` of that
// registration's key: HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\X.
std::wstring AppPathsKeyName(Scope scope, std::wstring_view keyName = {});

// The path of a registration's key below its root.
std::wstring EntryKeyPath(const std::wstring& keyName);

// One entry per sub-key of root\path that can be read, in the registry's enumeration order,
// with the scope the root stands for. The key is opened for reading only. No status yet.
std::vector<AppPathEntry> ScanEntries(HKEY root, const std::wstring& path);

// The machine's registrations, then the user's (both roots as RootOf gives them).
std::vector<AppPathEntry> ScanBothScopes();

// The entry of one sub-key as the registry holds it now; nothing when it cannot be read.
std::optional<AppPathEntry> ReadEntry(Scope scope, const std::wstring& keyName);
