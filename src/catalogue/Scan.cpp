#include "catalogue/Scan.h"

#include "catalogue/UserScope.h"
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
  AppPathEntry entry = EntryFromValues(keyName, *values, folders);
  entry.Scope = ScopeOfRoot(root);
  return entry;
}
}  // namespace

FolderPaths LookUpFolderPaths() {
  return FolderPaths{SpecialFolderPath(FOLDERID_ProgramFiles), WindowsFolder()};
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

HKEY RootOf(Scope scope) { return scope == Scope::User ? UserScope().root : HKEY_LOCAL_MACHINE; }

Scope ScopeOfRoot(HKEY root) { return root == RootOf(Scope::User) ? Scope::User : Scope::Machine; }

std::wstring RootName(Scope scope) {
  return scope == Scope::User ? UserScope().rootName : L"HKEY_LOCAL_MACHINE";
}

std::wstring AppPathsKeyName(Scope scope, std::wstring_view keyName) {
  return AppPathsKeyName(RootName(scope), keyName);
}

std::wstring EntryKeyPath(const std::wstring& keyName) { return Registry::kAppPathsPrefix + keyName; }

std::vector<AppPathEntry> ScanBothScopes() {
  std::vector<AppPathEntry> entries = ScanEntries(RootOf(Scope::Machine), Registry::kAppPathsKey);
  std::vector<AppPathEntry> user = ScanEntries(RootOf(Scope::User), Registry::kAppPathsKey);
  entries.insert(entries.end(), std::make_move_iterator(user.begin()),
                 std::make_move_iterator(user.end()));
  return entries;
}

std::optional<AppPathEntry> ReadEntry(Scope scope, const std::wstring& keyName) {
  return ReadWith(RootOf(scope), Registry::kAppPathsKey, keyName, LookUpFolderPaths());
}
