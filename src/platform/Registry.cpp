#include "platform/Registry.h"

#include <algorithm>
#include <limits>

#include "platform/Text.h"

namespace Registry {
namespace {

// Closes the key it holds on every way out of an operation.
class OpenedKey {
 public:
  OpenedKey() = default;
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  ~OpenedKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }
  HKEY* receive() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

bool Report(LONG code, LONG* error) {
  if (error != nullptr) *error = code;
  return code == ERROR_SUCCESS;
}

LONG Open(HKEY root, const std::wstring& path, REGSAM access, OpenedKey& key) {
  return RegOpenKeyExW(root, path.c_str(), 0, access, key.receive());
}

// An empty path names the root itself; deleting "it" would wipe the whole root.
bool NamesTheRootItself(const std::wstring& path) { return path.empty(); }

// Copying a key into itself or below itself would never finish.
bool IsSameOrBelow(const std::wstring& candidate, const std::wstring& ancestor) {
  const std::wstring upperCandidate = ToUpper(candidate);
  const std::wstring upperAncestor = ToUpper(ancestor);
  if (upperCandidate == upperAncestor) return true;
  return upperCandidate.size() > upperAncestor.size() &&
         upperCandidate.compare(0, upperAncestor.size(), upperAncestor) == 0 &&
         upperCandidate[upperAncestor.size()] == L'\\';
}

// Longest sub-key name of the opened key, in characters (without the terminator).
LONG LongestSubKeyName(HKEY key, DWORD& length) {
  length = 0;
  return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &length, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr);
}

// Reads the names of all direct sub-keys. A key added meanwhile with a longer name only makes
// the buffer grow.
LONG ReadSubKeyNames(HKEY key, std::vector<std::wstring>& names) {
  DWORD longest = 0;
  if (const LONG code = LongestSubKeyName(key, longest); code != ERROR_SUCCESS) return code;
  std::wstring buffer(longest + 1, L'\0');
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG code =
        RegEnumKeyExW(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (code == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (code == ERROR_MORE_DATA && buffer.size() < 32768) {
      buffer.resize(std::max<size_t>(buffer.size() * 2, 256));
      continue;
    }
    if (code != ERROR_SUCCESS) return code;
    names.emplace_back(buffer.data(), length);
    ++index;
  }
}

// Text from raw string data: whole UTF-16 code units up to the first NUL (a stray odd byte
// is not half a character).
std::wstring TextFromStringData(const std::vector<BYTE>& data, DWORD size) {
  const size_t units = std::min<size_t>(size, data.size()) / sizeof(wchar_t);
  std::wstring text(units, L'\0');
  std::copy_n(data.data(), units * sizeof(wchar_t), reinterpret_cast<BYTE*>(text.data()));
  text.resize(std::min(text.find(L'\0'), text.size()));
  return text;
}

// Reads a value's data; the value may change size between the probe and the read.
bool ReadValueData(HKEY key, const std::wstring& valueName, DWORD& type,
                   std::vector<BYTE>& data, DWORD& size) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    data.assign(size + sizeof(wchar_t), 0);
    DWORD capacity = static_cast<DWORD>(data.size());
    const LONG code =
        RegQueryValueExW(key, valueName.c_str(), nullptr, &type, data.data(), &capacity);
    if (code == ERROR_SUCCESS) {
      size = capacity;
      return true;
    }
    if (code != ERROR_MORE_DATA) return false;
    size = capacity;
  }
  return false;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

LONG WriteText(HKEY key, const std::wstring& valueName, const std::wstring& text) {
  constexpr size_t kMaxUnits = std::numeric_limits<DWORD>::max() / sizeof(wchar_t) - 1;
  if (text.size() > kMaxUnits) return ERROR_INVALID_PARAMETER;
  const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key, valueName.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()), size);
}

LONG WriteNumber(HKEY key, const std::wstring& valueName, int32_t number) {
  const DWORD data = static_cast<DWORD>(number);
  return RegSetValueExW(key, valueName.c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

}  // namespace

uint32_t EnumerateKeys(HKEY root, const std::wstring& path, REGSAM access,
                       std::vector<std::wstring>& names, LONG* error) {
  OpenedKey key;
  if (!Report(Open(root, path, access, key), error)) return 0;
  const size_t before = names.size();
  if (!Report(ReadSubKeyNames(key.get(), names), error)) {
    // A partial list would look like a complete one to a caller that counts names.
    names.resize(before);
    return 0;
  }
  return static_cast<uint32_t>(names.size() - before);
}

bool KeyExists(HKEY root, const std::wstring& path) {
  OpenedKey key;
  return Open(root, path, KEY_READ, key) == ERROR_SUCCESS;
}

bool CreateKey(HKEY root, const std::wstring& path, const std::wstring& className,
               LONG* error) {
  OpenedKey key;
  DWORD disposition = 0;
  std::wstring classText = className;  // the API wants a writable text
  const LONG code = RegCreateKeyExW(root, path.c_str(), 0,
                                    classText.empty() ? nullptr : classText.data(),
                                    REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                    key.receive(), &disposition);
  if (!Report(code, error)) return false;
  RegFlushKey(key.get());
  return disposition == REG_CREATED_NEW_KEY;
}

bool DeleteKey(HKEY root, const std::wstring& path, LONG* error) {
  if (NamesTheRootItself(path)) return Report(ERROR_INVALID_PARAMETER, error);
  return Report(RegDeleteKeyW(root, path.c_str()), error);
}

bool DeleteKeyTree(HKEY root, const std::wstring& path, LONG* error) {
  if (NamesTheRootItself(path)) return Report(ERROR_INVALID_PARAMETER, error);
  return Report(RegDeleteTreeW(root, path.c_str()), error);
}

bool CopyKeyTree(HKEY root, const std::wstring& from, const std::wstring& to, LONG* error) {
  if (IsSameOrBelow(to, from)) return Report(ERROR_INVALID_PARAMETER, error);
  OpenedKey source;
  if (!Report(Open(root, from, KEY_READ, source), error)) return false;
  OpenedKey target;
  if (!Report(Open(root, to, KEY_ALL_ACCESS, target), error)) return false;
  return Report(RegCopyTreeW(source.get(), nullptr, target.get()), error);
}

bool SetKeyValue(HKEY root, const std::wstring& path, const std::wstring& valueName,
                 const RegValue& value, LONG* error) {
  OpenedKey key;
  if (!Report(Open(root, path, KEY_SET_VALUE, key), error)) return false;
  LONG code = ERROR_SUCCESS;
  if (const auto* text = std::get_if<std::wstring>(&value))
    code = WriteText(key.get(), valueName, *text);
  else if (const auto* small = std::get_if<int16_t>(&value))
    code = WriteNumber(key.get(), valueName, *small);
  else if (const auto* number = std::get_if<int32_t>(&value))
    code = WriteNumber(key.get(), valueName, *number);
  return Report(code, error);
}

bool QueryKeyValue(HKEY root, const std::wstring& path, const std::wstring& valueName,
                   RegValue& value) {
  OpenedKey key;
  if (Open(root, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return false;
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS)
    return false;
  if (!IsStringType(type) && type != REG_DWORD) return true;
  std::vector<BYTE> data;
  if (!ReadValueData(key.get(), valueName, type, data, size)) return false;
  if (IsStringType(type)) {
    value = TextFromStringData(data, size);
  } else if (type == REG_DWORD && size == sizeof(DWORD)) {
    DWORD number = 0;
    std::copy_n(data.data(), sizeof(number), reinterpret_cast<BYTE*>(&number));
    value = static_cast<int32_t>(number);
  }
  return true;
}

std::wstring TextOf(const RegValue& value) {
  const auto* text = std::get_if<std::wstring>(&value);
  return text != nullptr ? *text : std::wstring();
}

}  // namespace Registry
