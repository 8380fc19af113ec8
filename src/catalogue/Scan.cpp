#include "catalogue/Scan.h"

#include "platform/Registry.h"
#include "platform/SpecialFolders.h"

namespace {
std::wstring EntryPath(const std::wstring& path, const std::wstring& keyName) {
  if (path.empty() || path.back() == L'\\') return path + keyName;
  return path + L'\\' + keyName;
}

std::optional<AppPathEntry> ReadWith(HKEY root, const std::wstring& path,
                                     const std::wstring& keyName, const FolderPaths& folders) {
  // A key gone since the enumeration, or one we may not read, has no entry.
  const auto values = Registry::ReadValues(root, EntryPath(path, keyName));
  if (!values) return std::nullopt;
  return EntryFromValues(keyName, *values, folders);
}
}  // namespace

FolderPaths LookUpFolderPaths() {
  return FolderPaths{SpecialFolderPath(kCsidlProgramFiles), SpecialFolderPath(kCsidlWindows)};
}

std::vector<AppPathEntry> ScanEntries(HKEY root, const std::wstring& path) {
  std::vector<std::wstring> names;
  Registry::EnumerateKeys(root, path, names);
  const FolderPaths folders = LookUpFolderPaths();
  std::vector<AppPathEntry> entries;
  entries.reserve(names.size());
  for (const std::wstring& keyName : names)
    if (auto entry = ReadWith(root, path, keyName, folders)) entries.push_back(std::move(*entry));
  return entries;
}

std::optional<AppPathEntry> ReadEntry(HKEY root, const std::wstring& path,
                                      const std::wstring& keyName) {
  return ReadWith(root, path, keyName, LookUpFolderPaths());
}
