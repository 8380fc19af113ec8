#include "support/AppPathsFixture.h"

#include <sddl.h>
#include <winternl.h>

#include <cwchar>
#include <optional>
#include <utility>

#include "platform/Registry.h"

extern "C" NTSTATUS NTAPI NtCreateKey(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, ULONG,
                                      PUNICODE_STRING, ULONG, PULONG);

namespace {

bool SetAccess(const std::wstring& keyPath, const wchar_t* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                            nullptr))
    return false;
  HKEY h = nullptr;
  LONG code = RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, WRITE_DAC, &h);
  if (code == ERROR_SUCCESS) {
    code = RegSetKeySecurity(h, DACL_SECURITY_INFORMATION, descriptor);
    RegCloseKey(h);
  }
  LocalFree(descriptor);
  return code == ERROR_SUCCESS;
}

}  // namespace

std::optional<Registry::RawValue> StoredValue(HKEY root, const std::wstring& path,
                                              const std::wstring& valueName) {
  const auto values = Registry::ReadValues(root, path);
  if (!values) return std::nullopt;
  const Registry::RawValue* value = Registry::FindValue(*values, valueName);
  return value ? std::optional<Registry::RawValue>(*value) : std::nullopt;
}

std::wstring AppPathsFixture::KeyPath(const std::wstring& key) {
  return key.empty() ? std::wstring(Registry::kAppPathsKey) : Registry::kAppPathsPrefix + key;
}

void AppPathsFixture::SetUp() {
  Registry::DeleteKeyTree(HKEY_CURRENT_USER, Registry::kAppPathsKey);
  Registry::DeleteKeyTree(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void AppPathsFixture::PutUserRegistration(const std::wstring& key, const wchar_t* installation,
                                          const wchar_t* directory) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(key).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  for (const auto& [name, text] : {std::pair{L"", installation}, std::pair{L"Path", directory}})
    if (text != nullptr)
      RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                     static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
  RegCloseKey(h);
}

bool AppPathsFixture::UserRegistrationExists(const std::wstring& key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(key).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
    return false;
  RegCloseKey(h);
  return true;
}

void AppPathsFixture::TearDown() {
  for (const std::wstring& key : restricted_) SetAccess(KeyPath(key), L"D:(A;CI;KA;;;WD)");
}

void AppPathsFixture::Deny(const std::wstring& key, DWORD denied) {
  wchar_t sddl[64];
  swprintf(sddl, 64, L"D:(D;;0x%lx;;;WD)(A;;KA;;;WD)", static_cast<unsigned long>(denied));
  ASSERT_TRUE(SetAccess(KeyPath(key), sddl));
  restricted_.push_back(key);
}

void AppPathsFixture::PutRawValue(const std::wstring& key, const std::wstring& valueName,
                                  DWORD type, const void* data, DWORD size) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(h, valueName.c_str(), 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
  RegCloseKey(h);
}

void AppPathsFixture::PutRegistration(const std::wstring& key, const wchar_t* installation,
                                      const wchar_t* directory) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(h);
  auto put = [&](const wchar_t* name, const wchar_t* text) {
    if (text == nullptr) return;
    PutRawValue(key, name, REG_SZ, text,
                static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t)));
  };
  put(L"", installation);
  put(L"Path", directory);
}

void AppPathsFixture::PutCountedRegistration(const std::wstring& key,
                                             const wchar_t* installation) {
  HKEY appPaths = nullptr;
  HANDLE created = nullptr;
  RegOpenKeyExW(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, 0, KEY_ALL_ACCESS, &appPaths);
  std::wstring name = key;
  const auto bytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  UNICODE_STRING counted{bytes, bytes, name.data()};
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &counted, OBJ_CASE_INSENSITIVE, appPaths, nullptr);
  ASSERT_GE(NtCreateKey(&created, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, nullptr), 0);
  RegCloseKey(appPaths);
  RegSetValueExW(static_cast<HKEY>(created), L"", 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(installation),
                 static_cast<DWORD>((std::wcslen(installation) + 1) * sizeof(wchar_t)));
  RegCloseKey(static_cast<HKEY>(created));
}

bool AppPathsFixture::RegistrationExists(const std::wstring& key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
    return false;
  RegCloseKey(h);
  return true;
}

std::optional<std::wstring> AppPathsFixture::ReadText(const std::wstring& key,
                                                      const std::wstring& valueName) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), valueName.c_str(),
                   RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type, nullptr,
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring text(size / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), valueName.c_str(),
                   RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type, text.data(),
                   &size) != ERROR_SUCCESS)
    return std::nullopt;
  text.resize(std::wcslen(text.c_str()));
  return text;
}

std::vector<std::wstring> AppPathsFixture::SubKeys(const std::wstring& path) {
  std::vector<std::wstring> names;
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
    return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = 256;
    if (RegEnumKeyExW(h, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(name, len);
  }
  RegCloseKey(h);
  return names;
}

bool AppPathsFixture::SetKeyAccess(const std::wstring& key, const wchar_t* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                            nullptr))
    return false;
  HKEY h = nullptr;
  LONG code = RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), 0, WRITE_DAC, &h);
  if (code == ERROR_SUCCESS) {
    code = RegSetKeySecurity(h, DACL_SECURITY_INFORMATION, descriptor);
    RegCloseKey(h);
  }
  LocalFree(descriptor);
  return code == ERROR_SUCCESS;
}
