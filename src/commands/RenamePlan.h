#pragma once
// The decisions of a rename that need no window. Platform-free.
#include <string>

// True when the two names address the same registration: the registry compares key names
// without regard to letter case.
bool NamesTheSameKey(const std::wstring& oldName, const std::wstring& newName);

// True when `name` names one registration below App Paths, so removing the key of that name
// cannot reach App Paths itself or a key further down: not empty, no backslash.
bool NamesOneRegistration(const std::wstring& name);
