#include "catalogue/Scan.h"

#include "catalogue/CacheLine.h"
#include "catalogue/FolderTokens.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"

namespace {
struct FolderPaths {
  std::wstring programFiles;
  std::wstring windows;
};

// Only text is a path: a number, binary data or a list stored under the name gives the empty
// field, so the registration shows as broken instead of with a made-up path.
std::wstring TextValue(HKEY root, const std::wstring& entryPath, const wchar_t* valueName) {
  Registry::RegValue value;
  if (!Registry::QueryKeyValue(root, entryPath, valueName, value)) return {};
  return Registry::TextOf(value);
}

// The program files token first, in both fields, then the Windows folder token.
void ReplaceTokens(std::wstring& installation, std::wstring& directory,
                   const FolderPaths& folders) {
  installation = ReplaceFolderToken(installation, kProgramFilesToken, folders.programFiles);
  directory = ReplaceFolderToken(directory, kProgramFilesToken, folders.programFiles);
  installation = ReplaceFolderToken(installation, kSystemRootToken, folders.windows);
  directory = ReplaceFolderToken(directory, kSystemRootToken, folders.windows);
}

std::wstring EntryPath(const std::wstring& path, const std::wstring& keyName) {
  if (path.empty() || path.back() == L'\\') return path + keyName;
  return path + L'\\' + keyName;
}
}  // namespace

std::vector<std::wstring> ScanCacheLines(HKEY root, const std::wstring& path) {
  std::vector<std::wstring> names;
  Registry::EnumerateKeys(root, path, KEY_READ, names);
  const FolderPaths folders{SpecialFolderPath(kCsidlProgramFiles),
                            SpecialFolderPath(kCsidlWindows)};
  std::vector<std::wstring> lines;
  lines.reserve(names.size());
  for (const std::wstring& keyName : names) {
    const std::wstring entryPath = EntryPath(path, keyName);
    if (!Registry::KeyExists(root, entryPath)) continue;  // gone since the enumeration
    std::wstring installation = TextValue(root, entryPath, L"");
    std::wstring directory = TextValue(root, entryPath, L"Path");
    ReplaceTokens(installation, directory, folders);
    lines.push_back(FormatCacheLine(keyName, installation, directory));
  }
  return lines;
}
