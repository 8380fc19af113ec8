#pragma once
// A test fixture that starts from an empty App Paths key in the throwaway prefix. Keys whose
// access a test restricts are opened up again afterwards, so the next test can empty the key.
#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/RegistryData.h"

// One value of root\path exactly as stored; nothing when the key or the value is missing.
std::optional<Registry::RawValue> StoredValue(HKEY root, const std::wstring& path,
                                              const std::wstring& valueName);

class AppPathsFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates App Paths\<key> with the default value and "Path" (REG_SZ); a value given as
  // nullptr is not written.
  static void PutRegistration(const std::wstring& key, const wchar_t* installation,
                              const wchar_t* directory = nullptr);
  // Writes a raw value into App Paths\<key> (created when missing); an empty key names the
  // App Paths key itself.
  static void PutRawValue(const std::wstring& key, const std::wstring& valueName, DWORD type,
                          const void* data, DWORD size);
  static bool RegistrationExists(const std::wstring& key);
  // The same made with the native NtCreateKey, which takes the name counted: `key` may hold a
  // NUL, as no Win32 registry call can write one (a known way to hide a key).
  static void PutCountedRegistration(const std::wstring& key, const wchar_t* installation);
  // The same below HKEY_CURRENT_USER: the user's own registrations.
  static void PutUserRegistration(const std::wstring& key, const wchar_t* installation,
                                  const wchar_t* directory = nullptr);
  static bool UserRegistrationExists(const std::wstring& key);
  // The text of a REG_SZ / REG_EXPAND_SZ value; nothing when missing or of another type.
  static std::optional<std::wstring> ReadText(const std::wstring& key,
                                              const std::wstring& valueName);
  static std::vector<std::wstring> SubKeys(const std::wstring& path);
  // Gives App Paths\<key> the access list `sddl` describes.
  static bool SetKeyAccess(const std::wstring& key, const wchar_t* sddl);

  static std::wstring KeyPath(const std::wstring& key);

  // Lets everybody do everything with App Paths\<key> except what `denied` names, until the
  // test ends.
  void Deny(const std::wstring& key, DWORD denied);

 private:
  std::vector<std::wstring> restricted_;
};
