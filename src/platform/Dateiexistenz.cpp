#include "platform/Dateiexistenz.h"

#include <windows.h>

namespace {
// The API would silently test only the part before an embedded NUL.
bool IsUsablePath(const std::wstring& path) {
  return !path.empty() && path.find(L'\0') == std::wstring::npos;
}
}  // namespace

bool FileExists(const std::wstring& path) {
  if (!IsUsablePath(path)) return false;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

bool PathExists(const std::wstring& path) {
  if (!IsUsablePath(path)) return false;
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
