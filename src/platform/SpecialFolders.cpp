#include "platform/SpecialFolders.h"

std::wstring SpecialFolderPath(const KNOWNFOLDERID& folder) {
  PWSTR path = nullptr;
  const HRESULT found = SHGetKnownFolderPath(folder, KF_FLAG_DEFAULT, nullptr, &path);
  // The shell hands out its buffer even on failure; it must be freed either way.
  std::wstring text = SUCCEEDED(found) && path != nullptr ? std::wstring(path) : std::wstring();
  CoTaskMemFree(path);
  return text;
}
