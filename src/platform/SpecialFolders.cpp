#include "platform/SpecialFolders.h"

std::wstring SpecialFolderPath(const KNOWNFOLDERID& folder) {
  PWSTR path = nullptr;
  const HRESULT found = SHGetKnownFolderPath(folder, KF_FLAG_DEFAULT, nullptr, &path);
  // The shell hands out its buffer even on failure; it must be freed either way.
  std::wstring text = SUCCEEDED(found) && path != nullptr ? std::wstring(path) : std::wstring();
  CoTaskMemFree(path);
  return text;
}

std::wstring WindowsFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  UINT length = GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (length >= folder.size()) {
    folder.resize(length);
    length = GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) return {};
  }
  folder.resize(length);
  return folder;
}
