#pragma once
// From a key's stored values to the entry the window shows. Platform-free.
#include <string>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "platform/RegistryData.h"

// The folders the two folder tokens stand for, looked up once per scan.
struct FolderPaths {
  std::wstring programFiles;
  std::wstring windows;
};

// The entry a key with these values is: both values kept as stored, shown as text with the
// folder tokens replaced (a value that is not text shows empty). No status yet.
AppPathEntry EntryFromValues(const std::wstring& keyName,
                             const std::vector<Registry::RawValue>& values,
                             const FolderPaths& folders);
