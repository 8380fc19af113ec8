#pragma once
// Registry values and keys as the registry stores them: type and bytes, untouched. Platform-free,
// so the catalogue and the registration-file writer can work on them without Windows headers.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Registry {

// The App Paths key below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, and the prefix of every
// registration's key.
inline constexpr wchar_t kAppPathsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
inline constexpr wchar_t kAppPathsPrefix[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// The value types as Windows numbers them.
inline constexpr uint32_t kTypeNone = 0;
inline constexpr uint32_t kTypeString = 1;        // REG_SZ
inline constexpr uint32_t kTypeExpandString = 2;  // REG_EXPAND_SZ
inline constexpr uint32_t kTypeBinary = 3;        // REG_BINARY
inline constexpr uint32_t kTypeDword = 4;         // REG_DWORD
inline constexpr uint32_t kTypeMultiString = 7;   // REG_MULTI_SZ
inline constexpr uint32_t kTypeQword = 11;        // REG_QWORD

// One value exactly as stored.
struct RawValue {
  std::wstring name;  // empty: the key's default value
  uint32_t type = kTypeNone;
  std::vector<uint8_t> data;

  bool operator==(const RawValue&) const = default;
};

// A key with everything below it, values and sub-keys in the registry's enumeration order.
struct KeyTree {
  std::wstring name;  // the key's own name (the last part of its path)
  std::vector<RawValue> values;
  std::vector<KeyTree> subKeys;

  bool operator==(const KeyTree&) const = default;
};

// The text a REG_SZ or REG_EXPAND_SZ value holds: whole UTF-16 units up to the first NUL, also
// when the data lacks its terminator (a stray odd byte is dropped). Nothing for other types.
std::optional<std::wstring> TextOfRaw(const RawValue& value);

// A text value as Windows writes one: UTF-16 with its terminating NUL.
RawValue TextValue(std::wstring name, std::wstring_view text, uint32_t type = kTypeString);

// The value of that name (letter case ignored, as the registry compares value names).
const RawValue* FindValue(const std::vector<RawValue>& values, std::wstring_view name);

}  // namespace Registry
