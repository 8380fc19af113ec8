#pragma once
// A test fixture that starts from an empty App Paths key in the throwaway prefix.
#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

class AppPathsFixture : public testing::Test {
 protected:
  void SetUp() override;

  // Creates App Paths\<key> with the default value and "Path" (REG_SZ); a value given as
  // nullptr is not written.
  static void PutRegistration(const std::wstring& key, const wchar_t* installation,
                              const wchar_t* directory = nullptr);
  // Writes a raw value into App Paths\<key> (created when missing); an empty key names the
  // App Paths key itself.
  static void PutRawValue(const std::wstring& key, const std::wstring& valueName, DWORD type,
                          const void* data, DWORD size);
  static bool RegistrationExists(const std::wstring& key);
  // The text of a REG_SZ / REG_EXPAND_SZ value; nothing when missing or of another type.
  static std::optional<std::wstring> ReadText(const std::wstring& key,
                                              const std::wstring& valueName);
  static std::vector<std::wstring> SubKeys(const std::wstring& path);
  // Gives App Paths\<key> the access list `sddl` describes.
  static bool SetKeyAccess(const std::wstring& key, const wchar_t* sddl);

  static std::wstring KeyPath(const std::wstring& key);
};
