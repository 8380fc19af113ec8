#pragma once
// The one place that says which key the "Benutzer" scope is: this process's HKEY_CURRENT_USER,
// or, when the program runs with another account's rights than the signed-in desktop user's,
// that user's HKEY_USERS\<SID> (see UserKeyRule). Decided once per run, on first use.
#include <windows.h>

#include <optional>
#include <string>

struct UserScopeKey {
  HKEY root = HKEY_CURRENT_USER;                 // an open key for HKEY_USERS\<SID>
  std::wstring rootName = L"HKEY_CURRENT_USER";  // as the registry editor names it
  std::wstring owner;  // the signed-in user's account when the key is theirs; else empty
};

const UserScopeKey& UserScope();

// The folder the user's own backup goes to: %LOCALAPPDATA%\Velmarin of the scope's user (not
// created here); nothing when that user's folder is not known.
std::optional<std::wstring> UserScopeDataFolder();
