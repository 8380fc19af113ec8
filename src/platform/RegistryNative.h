#pragma once
// Keys addressed by their name exactly as counted. The registry's own names are counted texts
// and may hold a NUL (the native registry calls can make such a key); the Win32 registry calls
// take a name up to its first NUL, so they would open a look-alike ("FOO.EXE" for
// "FOO.EXE<NUL>X"). Names without a NUL go through the Win32 calls as ever; the rest through
// ntdll's NtOpenKey and NtDeleteKey, relative to a key opened the Win32 way. Such keys are read
// and removed, never created. Used by platform/Registry only.
#include <windows.h>

#include <string_view>

namespace Registry::Native {

// Opens parent\path. A NUL may stand anywhere but in the first part of `path` when `parent` is
// a predefined root (the native calls need a real key to start from).
LONG OpenKey(HKEY parent, std::wstring_view path, REGSAM access, HKEY* key);

// Removes the opened key (opened with DELETE); it must have no sub-keys left.
LONG DeleteKey(HKEY key);

}  // namespace Registry::Native
