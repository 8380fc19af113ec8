#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "support/AppPathsFixture.h"

namespace {
class RegistryTest : public AppPathsFixture {
 protected:
  static std::wstring Path(const std::wstring& key) { return KeyPath(key); }

  // Type and raw bytes of a value as the registry holds them.
  static bool RawValue(const std::wstring& key, const std::wstring& name, DWORD& type,
                       std::vector<BYTE>& data) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Path(key).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
      return false;
    DWORD size = 0;
    LONG code = RegQueryValueExW(h, name.c_str(), nullptr, &type, nullptr, &size);
    data.assign(size, 0);
    if (code == ERROR_SUCCESS)
      code = RegQueryValueExW(h, name.c_str(), nullptr, &type, data.data(), &size);
    RegCloseKey(h);
    return code == ERROR_SUCCESS;
  }

  // The text of one value as the program reads it: the whole value, then its text.
  static std::wstring TextRead(const std::wstring& key, const std::wstring& name) {
    const auto values = Registry::ReadValues(HKEY_LOCAL_MACHINE, Path(key));
    const Registry::RawValue* value = values ? Registry::FindValue(*values, name) : nullptr;
    return value ? Registry::TextOfRaw(*value).value_or(L"<no text>") : L"<no value>";
  }
};
}  // namespace

TEST_F(RegistryTest, EnumerateMissingOrEmptyKeyGivesNothing) {
  std::vector<std::wstring> names{L"kept"};
  LONG error = ERROR_SUCCESS;
  EXPECT_EQ(Registry::EnumerateKeys(HKEY_LOCAL_MACHINE, Path(L"MISSING.EXE"), names, &error), 0u);
  EXPECT_EQ(error, ERROR_FILE_NOT_FOUND);
  PutRegistration(L"EMPTY.EXE", L"C:\\e.exe");
  EXPECT_EQ(Registry::EnumerateKeys(HKEY_LOCAL_MACHINE, Path(L"EMPTY.EXE"), names, &error), 0u);
  EXPECT_EQ(error, ERROR_SUCCESS);
  EXPECT_EQ(names, std::vector<std::wstring>{L"kept"});
}

TEST_F(RegistryTest, EnumerateAppendsUnicodeAndLongNamesExactly) {
  const std::wstring longest(255, L'L');
  const std::vector<std::wstring> keys{L"ÜBER.EXE", L"日本語.EXE", L"a.EXE", longest};
  for (const auto& key : keys) PutRegistration(key, L"x");
  std::vector<std::wstring> names{L"kept"};
  EXPECT_EQ(Registry::EnumerateKeys(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, names),
            keys.size());
  ASSERT_EQ(names.size(), keys.size() + 1);
  EXPECT_EQ(names[0], L"kept");
  for (const auto& key : keys)
    EXPECT_NE(std::find(names.begin(), names.end(), key), names.end()) << key.size();
}

TEST_F(RegistryTest, KeyExistsOnlyForExistingKeys) {
  PutRegistration(L"ÜBER.EXE", L"x");
  EXPECT_TRUE(Registry::KeyExists(HKEY_LOCAL_MACHINE, Path(L"ÜBER.EXE")));
  EXPECT_TRUE(Registry::KeyExists(HKEY_LOCAL_MACHINE, Path(L"über.exe")));
  EXPECT_FALSE(Registry::KeyExists(HKEY_LOCAL_MACHINE, Path(L"MISSING.EXE")));
}

TEST_F(RegistryTest, CreateKeyIsTrueOnlyForANewKeyAndKeepsAnExistingOne) {
  LONG error = -1;
  EXPECT_TRUE(Registry::CreateKey(HKEY_LOCAL_MACHINE, Path(L"NEW.EXE\\Deep\\Er"), L"1", &error));
  EXPECT_EQ(error, ERROR_SUCCESS);
  EXPECT_TRUE(RegistrationExists(L"NEW.EXE\\Deep\\Er"));

  wchar_t className[8] = {};
  DWORD classLength = 8;
  HKEY h = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, Path(L"NEW.EXE\\Deep\\Er").c_str(), 0, KEY_READ, &h),
            ERROR_SUCCESS);
  RegQueryInfoKeyW(h, className, &classLength, nullptr, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(h);
  EXPECT_STREQ(className, L"1");

  PutRegistration(L"OLD.EXE", L"C:\\old.exe", L"C:\\");
  error = -1;
  EXPECT_FALSE(Registry::CreateKey(HKEY_LOCAL_MACHINE, Path(L"OLD.EXE"), L"1", &error));
  EXPECT_EQ(error, ERROR_SUCCESS);
  EXPECT_EQ(ReadText(L"OLD.EXE", L""), L"C:\\old.exe");
  EXPECT_EQ(ReadText(L"OLD.EXE", L"Path"), L"C:\\");
}

TEST_F(RegistryTest, DeleteKeyTreeRemovesEverythingBelow) {
  PutRegistration(L"TREE.EXE", L"x", L"y");
  PutRegistration(L"TREE.EXE\\Sub\\SubSub", L"z");
  PutRegistration(L"OTHER.EXE", L"o");
  EXPECT_TRUE(Registry::DeleteKeyTree(HKEY_LOCAL_MACHINE, Path(L"TREE.EXE")));
  EXPECT_FALSE(RegistrationExists(L"TREE.EXE"));
  EXPECT_TRUE(RegistrationExists(L"OTHER.EXE"));
}

TEST_F(RegistryTest, AnEmptyPathNeverDeletesTheRootItself) {
  PutRegistration(L"ROOT.EXE\\Sub", L"x");
  HKEY root = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, Path(L"ROOT.EXE").c_str(), 0, KEY_ALL_ACCESS,
                          &root),
            ERROR_SUCCESS);
  LONG error = ERROR_SUCCESS;
  EXPECT_FALSE(Registry::DeleteKeyTree(root, L"", &error));
  EXPECT_EQ(error, ERROR_INVALID_PARAMETER);
  RegCloseKey(root);
  EXPECT_TRUE(RegistrationExists(L"ROOT.EXE\\Sub"));
}

TEST_F(RegistryTest, OddStringDataIsReadAsTextWithoutGarbling) {
  const wchar_t embedded[] = L"ab\0cd";
  PutRawValue(L"Q.EXE", L"Embedded", REG_SZ, embedded, sizeof(embedded));
  PutRawValue(L"Q.EXE", L"Unterminated", REG_SZ, L"abc", 3 * sizeof(wchar_t));
  PutRawValue(L"Q.EXE", L"Empty", REG_SZ, L"", 0);
  PutRawValue(L"Q.EXE", L"OddBytes", REG_SZ, L"abc", 5);
  const std::wstring longText(20000, L'ß');
  PutRawValue(L"Q.EXE", L"Long", REG_SZ, longText.c_str(),
              static_cast<DWORD>((longText.size() + 1) * sizeof(wchar_t)));

  EXPECT_EQ(TextRead(L"Q.EXE", L"Embedded"), L"ab");
  EXPECT_EQ(TextRead(L"Q.EXE", L"Unterminated"), L"abc");
  EXPECT_EQ(TextRead(L"Q.EXE", L"Empty"), L"");
  EXPECT_EQ(TextRead(L"Q.EXE", L"OddBytes"), L"ab");
  const std::wstring longRead = TextRead(L"Q.EXE", L"Long");
  EXPECT_EQ(longRead.size(), longText.size());
  EXPECT_TRUE(longRead == longText);
}

// Each operation asks only for the rights it uses, so each works on a key that refuses the
// others (here: making links, which full access would include).
TEST_F(RegistryTest, EveryOperationWorksWithoutRightsItDoesNotUse) {
  PutRegistration(L"LOCKED.EXE\\Sub", L"C:\\x.exe");
  ASSERT_TRUE(SetKeyAccess(L"LOCKED.EXE", L"D:(D;;0x20;;;WD)(A;;KA;;;WD)"));
  const std::wstring key = Path(L"LOCKED.EXE");
  const Registry::KeyTree tree{L"LOCKED.EXE", {Registry::TextValue(L"", L"y")}, {}};
  LONG error = ERROR_SUCCESS;
  std::vector<std::wstring> names;
  const std::pair<const char*, std::function<bool()>> operations[] = {
      {"CreateKey of an existing key",
       [&] { return !Registry::CreateKey(HKEY_LOCAL_MACHINE, key, L"", &error) && !error; }},
      {"SetRawValue",
       [&] { return Registry::SetRawValue(HKEY_LOCAL_MACHINE, key, tree.values[0]); }},
      {"WriteKeyTree", [&] { return Registry::WriteKeyTree(HKEY_LOCAL_MACHINE, key, tree); }},
      {"ReadKeyTree", [&] { return Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, key).has_value(); }},
      {"ReadValues", [&] { return Registry::ReadValues(HKEY_LOCAL_MACHINE, key).has_value(); }},
      {"KeyExists", [&] { return Registry::KeyExists(HKEY_LOCAL_MACHINE, key); }},
      {"EnumerateKeys",
       [&] { return Registry::EnumerateKeys(HKEY_LOCAL_MACHINE, key, names) == 1; }},
      {"DeleteKeyTree", [&] { return Registry::DeleteKeyTree(HKEY_LOCAL_MACHINE, key); }},
  };
  for (const auto& [name, operation] : operations) EXPECT_TRUE(operation()) << name;
}

// Values of every kind, odd data included, and sub-keys: read whole, written back elsewhere and
// restored over a changed key, they come back byte for byte.
TEST_F(RegistryTest, KeyTreesTravelByteForByte) {
  const wchar_t expand[] = L"%CommonProgramFiles%\\x.exe";
  PutRawValue(L"TREE.EXE", L"", REG_EXPAND_SZ, expand, sizeof(expand));
  const BYTE odd[] = {'A', 0, 'B'};  // no terminator, stray odd byte
  PutRawValue(L"TREE.EXE", L"Path", REG_SZ, odd, sizeof(odd));
  const wchar_t multi[] = L"a\0b\0";
  PutRawValue(L"TREE.EXE", L"Multi", REG_MULTI_SZ, multi, sizeof(multi));
  PutRawValue(L"TREE.EXE", L"Empty", REG_BINARY, nullptr, 0);
  const std::vector<BYTE> large(5000, 0x5A);  // beyond the buffers a read starts with
  PutRawValue(L"TREE.EXE", std::wstring(300, L'N'), REG_BINARY, large.data(), 5000);
  const DWORD number = 7;
  PutRawValue(L"TREE.EXE\\Sub\\Deeper", L"N", REG_DWORD, &number, sizeof(number));

  const auto tree = Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, Path(L"TREE.EXE"));
  ASSERT_TRUE(tree);
  EXPECT_EQ(tree->name, L"TREE.EXE");
  ASSERT_EQ(tree->values.size(), 5u);
  const Registry::RawValue* big = Registry::FindValue(tree->values, std::wstring(300, L'N'));
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->data, std::vector<uint8_t>(large.begin(), large.end()));
  ASSERT_EQ(tree->subKeys.size(), 1u);
  EXPECT_EQ(tree->subKeys[0].subKeys.at(0).values.at(0).type, static_cast<uint32_t>(REG_DWORD));

  ASSERT_TRUE(Registry::WriteKeyTree(HKEY_LOCAL_MACHINE, Path(L"COPY.EXE"), *tree));
  EXPECT_EQ(Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, Path(L"COPY.EXE"))->values, tree->values);

  PutRegistration(L"TREE.EXE", L"changed", L"changed");
  PutRawValue(L"TREE.EXE\\Added", L"", REG_SZ, L"", 2);
  ASSERT_TRUE(Registry::RestoreKeyTree(HKEY_LOCAL_MACHINE, Path(L"TREE.EXE"), *tree));
  EXPECT_EQ(Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, Path(L"TREE.EXE")), tree);

  DWORD type = 0;
  std::vector<BYTE> path;
  ASSERT_TRUE(RawValue(L"TREE.EXE", L"Path", type, path));
  EXPECT_EQ(path, std::vector<BYTE>(odd, odd + sizeof(odd)));
  EXPECT_EQ(Registry::TextOfRaw(*Registry::FindValue(tree->values, L"")), std::wstring(expand));
  EXPECT_FALSE(Registry::RestoreKeyTree(HKEY_LOCAL_MACHINE, L"", *tree));
}

// What lies in memory after the data must not decide what is stored: here a NUL unit does.
TEST_F(RegistryTest, UnterminatedStringsAreWrittenExactlyWhateverFollowsThem) {
  for (const DWORD type : {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ}) {
    for (const size_t size : {4u, 5u}) {
      Registry::RawValue value{L"v", type, {'A', 0, 'B', 0, 0, 0, 0, 0}};
      value.data.resize(size);  // the NUL bytes after the data stay in the same buffer
      ASSERT_TRUE(Registry::SetRawValue(HKEY_LOCAL_MACHINE, Path(L""), value));
      EXPECT_EQ(StoredValue(HKEY_LOCAL_MACHINE, Path(L""), L"v"), value) << type;
    }
  }
}
