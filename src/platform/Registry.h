#pragma once
// The only code that touches the Windows registry. Every operation opens the key it needs and
// closes it before it returns; failures are results, never exceptions or messages.
// Keys are addressed by their names exactly as counted: a name holding a NUL is opened and
// removed through ntdll (platform/RegistryNative), and never created (ERROR_INVALID_NAME).
#include <windows.h>

#include <cstdint>
#include <string>
#include <optional>
#include <vector>

#include "platform/RegistryData.h"

namespace Registry {

// In each operation, `error` (when given) receives the Win32 code of the call that failed, or
// ERROR_SUCCESS.

// Appends the names of the direct sub-keys of root\path to `names` and returns how many it read;
// 0 when the key cannot be read or the enumeration fails part-way (`names` is then left as it
// was).
uint32_t EnumerateKeys(HKEY root, const std::wstring& path, std::vector<std::wstring>& names,
                       LONG* error = nullptr);

// True when root\path can be opened for reading.
bool KeyExists(HKEY root, const std::wstring& path);

// True when values and sub-keys of root\path may be written (a key that does not exist yet
// counts as writable: whoever may create it will find out when it is created).
bool MayWrite(HKEY root, const std::wstring& path);

// Creates root\path (with missing intermediate keys). True only when the key was newly created;
// an existing key is left as it is and gives false with *error == ERROR_SUCCESS.
bool CreateKey(HKEY root, const std::wstring& path, const std::wstring& className,
               LONG* error = nullptr);

// Deletes root\path with all its values and everything below it. An empty path (root itself)
// is refused.
bool DeleteKeyTree(HKEY root, const std::wstring& path, LONG* error = nullptr);

// Every value of root\path, exactly as stored, in enumeration order; nothing when the key cannot
// be opened or read.
std::optional<std::vector<RawValue>> ReadValues(HKEY root, const std::wstring& path,
                                                LONG* error = nullptr);

// Writes `value` (its name, type and bytes) into the existing key root\path.
bool SetRawValue(HKEY root, const std::wstring& path, const RawValue& value,
                 LONG* error = nullptr);

// Removes the value `valueName` of root\path; a value that is not there counts as removed.
bool DeleteValue(HKEY root, const std::wstring& path, const std::wstring& valueName,
                 LONG* error = nullptr);

// root\path with all its values and sub-keys, exactly as stored.
std::optional<KeyTree> ReadKeyTree(HKEY root, const std::wstring& path, LONG* error = nullptr);

// Creates root\path when missing and writes `tree`'s values and sub-keys into it (the tree's
// own name is not used). Values and keys already there and not in `tree` stay.
bool WriteKeyTree(HKEY root, const std::wstring& path, const KeyTree& tree,
                  LONG* error = nullptr);

// Makes root\path hold `tree` again: the key is removed and written anew. When part of it
// cannot be removed, that part stays beside what is written back.
bool RestoreKeyTree(HKEY root, const std::wstring& path, const KeyTree& tree,
                    LONG* error = nullptr);

}  // namespace Registry
