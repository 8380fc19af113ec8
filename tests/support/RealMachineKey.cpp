#include "support/RealMachineKey.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "platform/Registry.h"
#include "platform/SpecialFolders.h"

namespace {
using Registry::RawValue;

// Where a program lies, named through the shell's folder (not through the environment the
// resolver reads), so the files land where Windows' own layout puts them.
struct ProgramFile {
  const KNOWNFOLDERID* folder;
  const wchar_t* relative;
};

struct Stock {
  const wchar_t* key;
  std::vector<RawValue> values;
  std::optional<ProgramFile> program;
};

RawValue Text(const wchar_t* name, const std::wstring& text) {
  return Registry::TextValue(name, text, Registry::kTypeString);
}

RawValue Expandable(const wchar_t* name, const std::wstring& text) {
  return Registry::TextValue(name, text, Registry::kTypeExpandString);
}

RawValue Dword(const wchar_t* name, uint32_t number) {
  RawValue value{name, Registry::kTypeDword, {}};
  for (int shift = 0; shift < 32; shift += 8) value.data.push_back(uint8_t(number >> shift));
  return value;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// Installers write their full paths as REG_SZ; Windows' own entries use REG_EXPAND_SZ.
std::vector<Stock> StockKey() {
  const std::wstring system = SpecialFolderPath(FOLDERID_System);
  const std::wstring explorer = SpecialFolderPath(FOLDERID_ProgramFiles) + L"\\Internet Explorer";
  const std::wstring chrome =
      SpecialFolderPath(FOLDERID_ProgramFiles) + L"\\Google\\Chrome\\Application";
  const std::wstring edge =
      SpecialFolderPath(FOLDERID_ProgramFilesX86) + L"\\Microsoft\\Edge\\Application";
  const std::wstring ink = L"%CommonProgramFiles%\\microsoft shared\\ink\\";
  const std::wstring mediaPlayer = L"%ProgramFiles(x86)%\\Windows Media Player";
  const std::wstring mail = L"%ProgramFiles%\\Windows Mail";
  const std::wstring wordpad = Quoted(L"%ProgramFiles%\\Windows NT\\Accessories\\WORDPAD.EXE");
  const ProgramFile wordpadFile{&FOLDERID_ProgramFiles, L"Windows NT\\Accessories\\WORDPAD.EXE"};
  const ProgramFile mediaPlayerFile{&FOLDERID_ProgramFilesX86,
                                    L"Windows Media Player\\wmplayer.exe"};
  return {
      {L"chrome.exe",
       {Text(L"", chrome + L"\\chrome.exe"), Text(L"Path", chrome)},
       ProgramFile{&FOLDERID_ProgramFiles, L"Google\\Chrome\\Application\\chrome.exe"}},
      {L"cmmgr32.exe",
       {Dword(L"CmNative", 2), Text(L"CmstpExtensionDll", system + L"\\cmcfg32.dll")},
       std::nullopt},
      {L"fsquirt.exe",
       {Text(L"", L"fsquirt.exe"),
        Text(L"DropTarget", L"{047ea9a0-93bb-415f-a1c3-d7aeb3dd5087}")},
       ProgramFile{&FOLDERID_System, L"fsquirt.exe"}},
      {L"IEXPLORE.EXE",
       {Text(L"", Quoted(explorer + L"\\IEXPLORE.EXE")), Text(L"Path", explorer + L";")},
       ProgramFile{&FOLDERID_ProgramFiles, L"Internet Explorer\\IEXPLORE.EXE"}},
      {L"install.exe", {Dword(L"BlockOnTSNonInstallMode", 1)}, std::nullopt},
      {L"mip.exe",
       {Expandable(L"", ink + L"mip.exe")},
       ProgramFile{&FOLDERID_ProgramFilesCommon, L"microsoft shared\\ink\\mip.exe"}},
      {L"mplayer2.exe",
       {Expandable(L"", mediaPlayer + L"\\wmplayer.exe"), Expandable(L"Path", mediaPlayer)},
       mediaPlayerFile},
      {L"msedge.exe",
       {Text(L"", edge + L"\\msedge.exe"), Text(L"Path", edge)},
       ProgramFile{&FOLDERID_ProgramFilesX86, L"Microsoft\\Edge\\Application\\msedge.exe"}},
      {L"PowerShell.exe",
       {Expandable(L"", L"%SystemRoot%\\system32\\WindowsPowerShell\\v1.0\\PowerShell.exe"),
        Text(L"SaveURL", L"1"), Text(L"useURL", L"1")},
       ProgramFile{&FOLDERID_System, L"WindowsPowerShell\\v1.0\\PowerShell.exe"}},
      {L"setup.exe", {Dword(L"BlockOnTSNonInstallMode", 1)}, std::nullopt},
      {L"TabTip.exe",
       {Expandable(L"", ink + L"TabTip.exe")},
       ProgramFile{&FOLDERID_ProgramFilesCommon, L"microsoft shared\\ink\\TabTip.exe"}},
      {L"wab.exe",
       {Expandable(L"", mail + L"\\wab.exe"), Expandable(L"Path", mail)},
       ProgramFile{&FOLDERID_ProgramFiles, L"Windows Mail\\wab.exe"}},
      {L"wabmig.exe",
       {Expandable(L"", mail + L"\\wabmig.exe")},
       ProgramFile{&FOLDERID_ProgramFiles, L"Windows Mail\\wabmig.exe"}},
      {L"wmplayer.exe",
       {Expandable(L"", mediaPlayer + L"\\wmplayer.exe"), Expandable(L"Path", mediaPlayer)},
       mediaPlayerFile},
      {L"WORDPAD.EXE", {Expandable(L"", wordpad)}, wordpadFile},
      {L"WRITE.EXE", {Expandable(L"", wordpad)}, wordpadFile},
  };
}

// An empty file, unless Wine (or an earlier call) has one there already.
void CreateProgramFile(const ProgramFile& program) {
  const std::wstring folder = SpecialFolderPath(*program.folder);
  ASSERT_FALSE(folder.empty()) << program.relative;
  const std::filesystem::path file = std::filesystem::path(folder) / program.relative;
  std::error_code ignored;
  std::filesystem::create_directories(file.parent_path(), ignored);
  const HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file.string();
}

void WriteRegistration(const Stock& entry) {
  const Registry::KeyTree tree{entry.key, entry.values, {}};
  LONG error = ERROR_SUCCESS;
  EXPECT_TRUE(Registry::WriteKeyTree(HKEY_LOCAL_MACHINE, Registry::kAppPathsPrefix +
                                                             std::wstring(entry.key),
                                     tree, &error))
      << "error " << error;
}
}  // namespace

std::vector<StockRegistration> PutRealMachineKey() {
  std::vector<StockRegistration> written;
  for (const Stock& entry : StockKey()) {
    WriteRegistration(entry);
    if (entry.program) CreateProgramFile(*entry.program);
    written.push_back({entry.key, entry.program.has_value()});
  }
  return written;
}
