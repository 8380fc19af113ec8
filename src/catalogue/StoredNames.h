#pragma once
// The registry finds a key in any letter case but creates it as a registration file spells it,
// so a file that is to bring a key back must carry its name as stored. One enumeration of a
// root's App Paths key serves a whole batch of look-ups.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <unordered_map>

class StoredNames {
 public:
  // The stored spelling of root's registration `keyName`; nothing (with the reason in `error`:
  // ERROR_FILE_NOT_FOUND when the key is not there) when there is none.
  std::optional<std::wstring> Find(HKEY root, const std::wstring& keyName, DWORD& error);

 private:
  struct Listing {
    std::unordered_map<std::wstring, std::wstring> names;  // upper case -> as stored
    DWORD error = ERROR_SUCCESS;
  };

  const Listing& ListingOf(HKEY root);

  std::map<HKEY, Listing> byRoot_;
};
