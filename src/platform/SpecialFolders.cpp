#include "platform/SpecialFolders.h"

#include <windows.h>
#include <shlobj.h>

std::wstring SpecialFolderPath(int csidl) {
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || items == nullptr) return {};
  wchar_t buffer[MAX_PATH] = {};
  const BOOL found = SHGetPathFromIDListW(items, buffer);
  CoTaskMemFree(items);
  return found ? std::wstring(buffer) : std::wstring();
}
