#include "platform/Registry.h"

#include <algorithm>
#include <limits>

#include "platform/RegistryNative.h"
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

// Every key is addressed by its name exactly as counted, a NUL in it included.
LONG Open(HKEY root, const std::wstring& path, REGSAM access, OpenedKey& key) {
  return Native::OpenKey(root, path, access, key.receive());
}

// A name holding a NUL is never created: the Win32 call would make its look-alike instead (the
// program only reads and removes such keys).
LONG Create(HKEY root, const std::wstring& path, std::wstring className, REGSAM access,
            OpenedKey& key, DWORD* disposition) {
  if (path.find(L'\0') != std::wstring::npos) return ERROR_INVALID_NAME;
  return RegCreateKeyExW(root, path.c_str(), 0, className.empty() ? nullptr : className.data(),
                         REG_OPTION_NON_VOLATILE, access, nullptr, key.receive(), disposition);
}

// An empty path names the root itself; deleting "it" would wipe the whole root.
bool NamesTheRootItself(const std::wstring& path) { return path.empty(); }

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

// Removes the opened key's sub-keys, depth first, each by its counted name: a sub-key
// "X<NUL>Y" never takes its look-alike "X" with it.
LONG DeleteSubKeys(HKEY key) {
  constexpr REGSAM kAccess = DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE;
  std::vector<std::wstring> names;
  if (const LONG code = ReadSubKeyNames(key, names); code != ERROR_SUCCESS) return code;
  for (const std::wstring& name : names) {
    OpenedKey sub;
    LONG code = Open(key, name, kAccess, sub);
    if (code == ERROR_SUCCESS) code = DeleteSubKeys(sub.get());
    if (code == ERROR_SUCCESS) code = Native::DeleteKey(sub.get());
    if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND) return code;
  }
  return ERROR_SUCCESS;
}

// root\path with everything below it. The key is opened for removal first, so a key that may
// not go loses none of its sub-keys either.
LONG DeleteTree(HKEY root, const std::wstring& path) {
  OpenedKey key;
  const LONG code = Open(root, path, DELETE | KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, key);
  if (code != ERROR_SUCCESS) return code;
  if (const LONG below = DeleteSubKeys(key.get()); below != ERROR_SUCCESS) return below;
  return Native::DeleteKey(key.get());
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

uint32_t EnumerateKeys(HKEY root, const std::wstring& path, std::vector<std::wstring>& names,
                       LONG* error) {
  OpenedKey key;
  if (!Report(Open(root, path, KEY_READ, key), error)) return 0;
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

bool MayWrite(HKEY root, const std::wstring& path) {
  OpenedKey key;
  const LONG code = Open(root, path, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, key);
  return code == ERROR_SUCCESS || code == ERROR_FILE_NOT_FOUND;
}

bool CreateKey(HKEY root, const std::wstring& path, const std::wstring& className,
               LONG* error) {
  OpenedKey key;
  DWORD disposition = 0;
  // The handle is only closed again. The one right asked for is the one the caller needs next,
  // writing the new key's values; a flush would only slow the save down, the registry writes
  // the key to disk by itself.
  const LONG code = Create(root, path, className, KEY_SET_VALUE, key, &disposition);
  if (!Report(code, error)) return false;
  return disposition == REG_CREATED_NEW_KEY;
}

bool DeleteKeyTree(HKEY root, const std::wstring& path, LONG* error) {
  if (NamesTheRootItself(path)) return Report(ERROR_INVALID_PARAMETER, error);
  return Report(DeleteTree(root, path), error);
}

namespace {

// A value added or grown meanwhile only makes the buffers grow.
LONG ReadAllValues(HKEY key, std::vector<RawValue>& values) {
  // Buffers that hold an App Paths key's values as a rule; asking the key for its longest ones
  // first would cost a round trip to the registry per key of the scan.
  std::wstring name(256, L'\0');
  std::vector<BYTE> data(2048);
  for (DWORD index = 0;;) {
    DWORD nameCapacity = static_cast<DWORD>(name.size());
    DWORD dataCapacity = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    const LONG code = RegEnumValueW(key, index, name.data(), &nameCapacity, nullptr, &type,
                                    data.data(), &dataCapacity);
    if (code == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (code == ERROR_MORE_DATA) {
      name.resize(std::max<size_t>(name.size() * 2, 16384));
      data.resize(std::max<size_t>(data.size() * 2, dataCapacity + 2));
      continue;
    }
    if (code != ERROR_SUCCESS) return code;
    values.push_back(RawValue{std::wstring(name.data(), nameCapacity), type,
                              std::vector<uint8_t>(data.begin(), data.begin() + dataCapacity)});
    ++index;
  }
}

LONG ReadTree(HKEY key, KeyTree& tree) {
  if (const LONG code = ReadAllValues(key, tree.values); code != ERROR_SUCCESS) return code;
  std::vector<std::wstring> names;
  if (const LONG code = ReadSubKeyNames(key, names); code != ERROR_SUCCESS) return code;
  for (std::wstring& name : names) {
    OpenedKey sub;
    if (const LONG code = Open(key, name, KEY_READ, sub); code != ERROR_SUCCESS) return code;
    KeyTree child;
    child.name = std::move(name);
    if (const LONG code = ReadTree(sub.get(), child); code != ERROR_SUCCESS) return code;
    tree.subKeys.push_back(std::move(child));
  }
  return ERROR_SUCCESS;
}

// RegSetValueEx (Windows' as well as Wine's) looks at the UTF-16 unit after string data whose
// last unit is not NUL, and when that unit happens to be NUL counts it in. A unit that is not
// NUL after the data keeps an unterminated string exactly as it was read.
LONG WriteRaw(HKEY key, const RawValue& value) {
  if (value.data.size() > std::numeric_limits<DWORD>::max() - 2) return ERROR_INVALID_PARAMETER;
  const auto size = static_cast<DWORD>(value.data.size());
  if (value.data.empty() || (!IsStringType(value.type) && value.type != REG_MULTI_SZ))
    return RegSetValueExW(key, value.name.c_str(), 0, value.type,
                          value.data.empty() ? nullptr : value.data.data(), size);
  std::vector<BYTE> guarded(value.data.begin(), value.data.end());
  guarded.insert(guarded.end(), {0xFF, 0xFF});
  return RegSetValueExW(key, value.name.c_str(), 0, value.type, guarded.data(), size);
}

// An existing key is opened, not created again: Wine drops a key's class text when it is
// "created" once more without one.
LONG OpenOrCreate(HKEY parent, const std::wstring& path, OpenedKey& key) {
  constexpr REGSAM kAccess = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
  const LONG opened = Open(parent, path, kAccess, key);
  if (opened != ERROR_FILE_NOT_FOUND) return opened;
  return Create(parent, path, L"", kAccess, key, nullptr);
}

LONG WriteTree(HKEY parent, const std::wstring& path, const KeyTree& tree) {
  OpenedKey key;
  if (const LONG code = OpenOrCreate(parent, path, key); code != ERROR_SUCCESS) return code;
  for (const RawValue& value : tree.values)
    if (const LONG code = WriteRaw(key.get(), value); code != ERROR_SUCCESS) return code;
  for (const KeyTree& child : tree.subKeys)
    if (const LONG code = WriteTree(key.get(), child.name, child); code != ERROR_SUCCESS)
      return code;
  return ERROR_SUCCESS;
}

}  // namespace

std::optional<std::vector<RawValue>> ReadValues(HKEY root, const std::wstring& path,
                                                LONG* error) {
  OpenedKey key;
  if (!Report(Open(root, path, KEY_QUERY_VALUE, key), error)) return std::nullopt;
  std::vector<RawValue> values;
  if (!Report(ReadAllValues(key.get(), values), error)) return std::nullopt;
  return values;
}

bool SetRawValue(HKEY root, const std::wstring& path, const RawValue& value, LONG* error) {
  OpenedKey key;
  if (!Report(Open(root, path, KEY_SET_VALUE, key), error)) return false;
  return Report(WriteRaw(key.get(), value), error);
}

bool DeleteValue(HKEY root, const std::wstring& path, const std::wstring& valueName,
                 LONG* error) {
  OpenedKey key;
  if (!Report(Open(root, path, KEY_SET_VALUE, key), error)) return false;
  const LONG code = RegDeleteValueW(key.get(), valueName.c_str());
  return Report(code == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : code, error);
}

std::optional<KeyTree> ReadKeyTree(HKEY root, const std::wstring& path, LONG* error) {
  OpenedKey key;
  if (!Report(Open(root, path, KEY_READ, key), error)) return std::nullopt;
  KeyTree tree;
  const size_t slash = path.rfind(L'\\');
  tree.name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  if (!Report(ReadTree(key.get(), tree), error)) return std::nullopt;
  return tree;
}

bool WriteKeyTree(HKEY root, const std::wstring& path, const KeyTree& tree, LONG* error) {
  if (NamesTheRootItself(path)) return Report(ERROR_INVALID_PARAMETER, error);
  return Report(WriteTree(root, path, tree), error);
}

bool RestoreKeyTree(HKEY root, const std::wstring& path, const KeyTree& tree, LONG* error) {
  if (NamesTheRootItself(path)) return Report(ERROR_INVALID_PARAMETER, error);
  // A key that cannot be removed whole (a sub-key we may not delete) still gets back everything
  // the tree holds: whatever the removal took is written anew.
  DeleteTree(root, path);
  return Report(WriteTree(root, path, tree), error);
}

}  // namespace Registry
