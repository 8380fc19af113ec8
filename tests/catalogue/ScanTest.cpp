#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "catalogue/CacheLine.h"
#include "catalogue/Scan.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"
#include "support/AppPathsFixture.h"

namespace {
class ScanTest : public AppPathsFixture {
 protected:
  // The scan's entries as the cache list shows them.
  static std::vector<std::wstring> Scan(const std::wstring& path = Registry::kAppPathsKey) {
    std::vector<std::wstring> lines;
    for (const AppPathEntry& entry : ScanEntries(HKEY_LOCAL_MACHINE, path))
      lines.push_back(FormatCacheLine(entry.KeyName, entry.Installation, entry.Directory));
    return lines;
  }
  // The single line of a scan that is expected to find exactly one registration.
  static std::wstring OnlyLine() {
    const std::vector<std::wstring> lines = Scan();
    EXPECT_EQ(lines.size(), 1u);
    return lines.empty() ? std::wstring() : lines.front();
  }
  const std::wstring programFiles = SpecialFolderPath(FOLDERID_ProgramFiles);
  const std::wstring windows = WindowsFolder();
};
}  // namespace

TEST_F(ScanTest, EmptyOrMissingCatalogueGivesNoLines) {
  EXPECT_TRUE(Scan().empty());
  EXPECT_TRUE(Scan(Registry::kAppPathsPrefix + std::wstring(L"NONE")).empty());
}

TEST_F(ScanTest, OneLinePerKeyInEnumerationOrderWithKeyNameAsStored) {
  PutRegistration(L"WINWORD.EXE", L"C:\\Office\\winword.exe /n", L"C:\\Office");
  PutRegistration(L"a.EXE", L"C:\\a.exe");
  PutRegistration(L"ÜBER.EXE", nullptr, L"C:\\Über");
  PutRegistration(L"%PROGRAMFILES%.EXE", nullptr);
  std::vector<std::wstring> order;
  Registry::EnumerateKeys(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, order);
  ASSERT_EQ(order.size(), 4u);

  const std::vector<std::wstring> lines = Scan();
  ASSERT_EQ(lines.size(), 4u);
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].substr(0, lines[i].find(L'\t')), order[i]);
  const auto has = [&](const std::wstring& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has(L"WINWORD.EXE\tC:\\Office\\winword.exe /n\tC:\\Office"));
  EXPECT_TRUE(has(L"a.EXE\tC:\\a.exe\t"));
  EXPECT_TRUE(has(L"ÜBER.EXE\t\tC:\\Über"));
  EXPECT_TRUE(has(L"%PROGRAMFILES%.EXE\t\t"));
}

TEST_F(ScanTest, FolderTokensAreReplacedWhereTheyStand) {
  ASSERT_FALSE(programFiles.empty());
  ASSERT_FALSE(windows.empty());
  PutRegistration(L"TOOL.EXE", L"\"%ProgramFiles%\\Tool\\tool.exe\" /n",
                  L"%SYSTEMROOT%;%programfiles%\\Tool;%ProgramFiles%\\Twice");
  EXPECT_EQ(OnlyLine(), L"TOOL.EXE\t\"" + programFiles + L"\\Tool\\tool.exe\" /n\t" + windows +
                            L";" + programFiles + L"\\Tool;%ProgramFiles%\\Twice");
}

TEST_F(ScanTest, BothTokensInOneValue) {
  PutRegistration(L"BOTH.EXE", L"%SystemRoot%\\x.exe %PROGRAMFILES%\\y");
  EXPECT_EQ(OnlyLine(), L"BOTH.EXE\t" + windows + L"\\x.exe " + programFiles + L"\\y\t");
}

TEST_F(ScanTest, ExpandableTextIsReadAndOnlyTheTwoTokensAreReplaced) {
  const wchar_t text[] = L"%SystemRoot%\\notepad.exe %TEMP%";
  PutRawValue(L"NOTE.EXE", L"", REG_EXPAND_SZ, text, sizeof(text));
  EXPECT_EQ(OnlyLine(), L"NOTE.EXE\t" + windows + L"\\notepad.exe %TEMP%\t");
}

TEST_F(ScanTest, ValuesThatAreNoTextGiveEmptyFields) {
  const DWORD number = 5;
  const BYTE binary[] = {'C', 0, ':', 0};
  const wchar_t multi[] = L"C:\\a.exe\0C:\\b.exe\0";
  PutRawValue(L"DWORD.EXE", L"", REG_DWORD, &number, sizeof(number));
  PutRawValue(L"DWORD.EXE", L"Path", REG_BINARY, binary, sizeof(binary));
  PutRawValue(L"MULTI.EXE", L"", REG_MULTI_SZ, multi, sizeof(multi));
  PutRawValue(L"MULTI.EXE", L"Path", REG_SZ, L"", 0);
  PutRawValue(L"RAW.EXE", L"", REG_SZ, L"C:\\raw.exe", 10 * sizeof(wchar_t));
  const std::vector<std::wstring> lines = Scan();
  EXPECT_EQ(lines, (std::vector<std::wstring>{L"DWORD.EXE\t\t", L"MULTI.EXE\t\t",
                                              L"RAW.EXE\tC:\\raw.exe\t"}));
}
