#pragma once
// From a key's stored values to the entry the window shows. Platform-free.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "platform/RegistryData.h"

// A registration's two values: the program (the key's default value) and the folders put in
// front of the search path. The App Paths key's own "Path" value remembers the folder of the
// last program chosen in the browse dialog and saved.
inline constexpr wchar_t kInstallationValue[] = L"";
inline constexpr wchar_t kDirectoryValue[] = L"Path";
inline constexpr wchar_t kLastBrowseFolderValue[] = L"Path";

// The folders the two folder tokens stand for, looked up once per scan.
struct FolderPaths {
  std::wstring programFiles;
  std::wstring windows;
};

// The entry a key with these values is: both values kept as stored, shown as text with the
// folder tokens replaced (a value that is not text shows empty), the texts case-folded for the
// search. No status yet.
AppPathEntry EntryFromValues(const std::wstring& keyName,
                             const std::vector<Registry::RawValue>& values,
                             const FolderPaths& folders);

// True when the text holds a %NAME% reference.
bool HoldsVariableReference(std::wstring_view text);

// The type a text typed over a value is stored with: REG_SZ, except that a value stored as
// REG_EXPAND_SZ stays one while the text still holds a %NAME% reference (the shell then keeps
// expanding it).
uint32_t WrittenType(std::wstring_view text, const std::optional<Registry::RawValue>& stored);
