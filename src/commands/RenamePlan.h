#pragma once
// The decisions of a rename that need no window. Platform-free.
#include <string>

// True when the two names address the same registration: the registry compares key names
// without regard to letter case.
bool NamesTheSameKey(const std::wstring& oldName, const std::wstring& newName);
