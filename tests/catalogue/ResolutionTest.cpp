#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "catalogue/Resolution.h"
#include "catalogue/Scan.h"
#include "platform/Registry.h"
#include "support/AppPathsFixture.h"

namespace {
namespace fs = std::filesystem;
constexpr uint32_t kSz = Registry::kTypeString;
constexpr uint32_t kExpandSz = Registry::kTypeExpandString;
constexpr EntryStatus kFine = EntryStatus::Fine;
constexpr EntryStatus kNotFound = EntryStatus::FileNotFound;

std::wstring Variable(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

fs::path Folder(UINT(WINAPI* get)(LPWSTR, UINT)) {
  wchar_t folder[MAX_PATH] = {};
  get(folder, MAX_PATH);
  return folder;
}

// Programs below the folders Windows' variables name, in the 16-bit System folder, the Windows
// folder and two PATH folders of the test's own (the first reached through a variable and
// holding a folder named like a program of the second); a program in the current folder and one
// in a relative PATH entry, where no search may look. PATH and the current folder come back
// when the test ends.
class ResolutionTest : public testing::Test {
 protected:
  void SetUp() override {
    savedPath_ = Variable(L"PATH");
    savedCurrent_ = fs::current_path();
    ASSERT_FALSE(Variable(L"ProgramFiles(x86)").empty());
    for (const wchar_t* variable : {L"CommonProgramFiles", L"ProgramFiles(x86)", L"windir"})
      Put(fs::path(Variable(variable)) / L"Velmarin Resolve" / L"tool.exe");
    Put(windows_ / L"System" / L"velmarin-system16.exe");
    Put(windows_ / L"velmarin-order.exe");
    for (const wchar_t* name : {L"velmarin-order.exe", L"velmarin-onpath.exe", L"notepad.exe"})
      Put(first_ / name);
    fs::create_directories(first_ / L"velmarin-both.exe");
    Put(second_ / L"velmarin-both.exe");
    Put(current_ / L"velmarin-cwd.exe");
    Put(current_ / L"relative" / L"velmarin-relative.exe");
    ASSERT_TRUE(SetCurrentDirectoryW(current_.c_str()));
    SetEnvironmentVariableW(L"VELMARIN_RESOLVE_FIRST", first_.c_str());
    SetEnvironmentVariableW(L"VELMARIN_RESOLVE_NAME", L"velmarin-onpath.exe");
    const std::wstring path = L";relative;;%VELMARIN_RESOLVE_FIRST%;" + second_.wstring() + L";";
    ASSERT_TRUE(SetEnvironmentVariableW(L"PATH", (path + savedPath_).c_str()));
  }

  void TearDown() override {
    SetEnvironmentVariableW(L"PATH", savedPath_.c_str());
    SetCurrentDirectoryW(savedCurrent_.c_str());
    std::error_code ignored;
    for (auto made = made_.rbegin(); made != made_.rend(); ++made) fs::remove_all(*made, ignored);
    fs::remove_all(scratch_, ignored);
  }

  // An empty file; it and the folders made for it go when the test ends.
  void Put(const fs::path& file) {
    fs::path firstMissing = file;
    for (fs::path folder = file.parent_path(); !fs::exists(folder); folder = folder.parent_path())
      firstMissing = folder;
    made_.push_back(firstMissing);
    fs::create_directories(file.parent_path());
    const HANDLE h =
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << file.string();
    CloseHandle(h);
  }

  std::wstring savedPath_;
  fs::path savedCurrent_;
  const fs::path scratch_ =
      fs::temp_directory_path() / (L"velmarin-resolve-" + std::to_wstring(GetCurrentProcessId()));
  const fs::path windows_ = Folder(GetWindowsDirectoryW);
  const fs::path system_ = Folder(GetSystemDirectoryW);
  const fs::path first_ = scratch_ / L"first", second_ = scratch_ / L"second",
           current_ = scratch_ / L"current";
  std::vector<fs::path> made_;
};
}  // namespace

TEST_F(ResolutionTest, ProgramAndStatusAsWindowsFindsThem) {
  ASSERT_TRUE(fs::is_regular_file(system_ / L"notepad.exe"));
  ASSERT_TRUE(fs::is_regular_file(windows_ / L"regedit.exe"));
  ASSERT_FALSE(fs::exists(system_ / L"regedit.exe"));
  const std::wstring tool = L"\\Velmarin Resolve\\tool.exe";
  const std::wstring common = Variable(L"CommonProgramFiles") + tool;
  const std::wstring x86 = Variable(L"ProgramFiles(x86)") + tool;
  const std::wstring windir = Variable(L"windir") + tool;
  const std::wstring systemRoot = Variable(L"SystemRoot") + tool;
  const std::wstring onPath = (first_ / L"velmarin-onpath.exe").wstring();
  const std::wstring system16 = (windows_ / L"System" / L"velmarin-system16.exe").wstring();
  const std::wstring driveRelative = current_.wstring().substr(0, 2) + L"velmarin-cwd.exe";
  std::wstring missingDrive = L"C:";
  for (wchar_t letter = L'Z'; letter > L'C' && missingDrive == L"C:"; --letter)
    if ((GetLogicalDrives() & (1u << (letter - L'A'))) == 0) missingDrive = {letter, L':'};
  struct Row {
    std::wstring stored;
    uint32_t type;
    std::wstring program;
    EntryStatus status;
  };
  const Row rows[] = {
      {L"%CommonProgramFiles%" + tool, kExpandSz, common, kFine},
      {L"%ProgramFiles(x86)%" + tool, kExpandSz, x86, kFine},
      {L"%windir%" + tool, kExpandSz, windir, kFine},
      {L"%systemroot%" + tool, kExpandSz, systemRoot, kFine},
      {L"\"%CommonProgramFiles%" + tool + L"\" /x \"a b\"", kExpandSz, common, kFine},
      {L"%windir%" + tool + L" /n", kExpandSz, windir, kFine},
      {L"%VELMARIN_NOT_SET%" + tool, kExpandSz, L"%VELMARIN_NOT_SET%" + tool, kNotFound},
      // A REG_SZ text is found as written or with its references expanded.
      {L"%CommonProgramFiles%" + tool, kSz, common, kFine},
      {L"\"%windir%" + tool + L"\" /n", kSz, windir, kFine},
      {L"%VELMARIN_NOT_SET%" + tool, kSz, L"%VELMARIN_NOT_SET%" + tool, kNotFound},
      // Nobody can tell: a server that does not answer, a drive this session does not have.
      {L"\\\\velmarin-no-server\\share\\x.exe", kSz, L"\\\\velmarin-no-server\\share\\x.exe",
       EntryStatus::Unreachable},
      {missingDrive + L"\\x.exe /n", kSz, missingDrive + L"\\x.exe", EntryStatus::Unreachable},
      {L"notepad.exe", kSz, (system_ / L"notepad.exe").wstring(), kFine},
      {L"velmarin-system16.exe", kSz, system16, kFine},
      {L"regedit.exe", kSz, (windows_ / L"regedit.exe").wstring(), kFine},
      {L"velmarin-order.exe", kSz, (windows_ / L"velmarin-order.exe").wstring(), kFine},
      {L"velmarin-onpath.exe", kSz, onPath, kFine},
      {L"velmarin-onpath", kSz, onPath, kFine},
      {L"\"velmarin-onpath.exe\" /q", kSz, onPath, kFine},
      {L"%VELMARIN_RESOLVE_NAME%", kExpandSz, onPath, kFine},
      {L"velmarin-both.exe", kSz, (second_ / L"velmarin-both.exe").wstring(), kFine},
      {L"velmarin-absent.exe", kSz, L"velmarin-absent.exe", kNotFound},
      {L"velmarin-cwd.exe", kSz, L"velmarin-cwd.exe", kNotFound},
      {L"velmarin-relative.exe", kSz, L"velmarin-relative.exe", kNotFound},
      {L"System\\velmarin-system16.exe", kSz, L"System\\velmarin-system16.exe", kNotFound},
      {L"System/velmarin-system16.exe", kSz, L"System/velmarin-system16.exe", kNotFound},
      {driveRelative, kSz, driveRelative, kNotFound},
      {L"", kExpandSz, L"", EntryStatus::Broken},
      {L"\"\" /n", kSz, L"", EntryStatus::Broken},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ResolveProgram(row.stored, row.type).program, row.program) << row.stored;
    EXPECT_EQ(ProgramStatus(row.stored, row.type), row.status) << row.stored;
  }
}

// The rows a stock machine shows: before, seven of them were marked broken.
class EntryStatusTest : public AppPathsFixture {};

// Without a program a key is fine when it carries settings for Windows, broken when it holds
// nothing else either; a default value that is no text names no program.
TEST_F(EntryStatusTest, KeysWithoutAProgramAreSettingsOrBroken) {
  const DWORD one = 1;
  const auto number = [&](const wchar_t* key, const wchar_t* name) {
    PutRawValue(key, name, REG_DWORD, &one, sizeof(one));
  };
  number(L"SETUP.EXE", L"BlockOnTSNonInstallMode");
  PutRawValue(L"CMMGR32.EXE", L"CmstpExtensionDll", REG_SZ, L"x.dll", 12);
  PutRegistration(L"PATHONLY.EXE", nullptr, L"C:\\Tools;");
  PutRegistration(L"EMPTY.EXE", L"", nullptr);
  number(L"NUMBER.EXE", L"");
  number(L"NUMBERSET.EXE", L"");
  number(L"NUMBERSET.EXE", L"UseURL");
  PutRegistration(L"NOTHING.EXE", nullptr);
  const std::map<std::wstring, EntryStatus> expected = {
      {L"SETUP.EXE", EntryStatus::SettingsOnly}, {L"CMMGR32.EXE", EntryStatus::SettingsOnly},
      {L"PATHONLY.EXE", EntryStatus::Broken},    {L"EMPTY.EXE", EntryStatus::Broken},
      {L"NUMBER.EXE", EntryStatus::Broken},      {L"NUMBERSET.EXE", EntryStatus::SettingsOnly},
      {L"NOTHING.EXE", EntryStatus::Broken}};
  const std::vector<AppPathEntry> entries = ScanEntries(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  ASSERT_EQ(entries.size(), expected.size());
  for (const AppPathEntry& entry : entries)
    EXPECT_EQ(EntryStatusOf(entry), expected.at(entry.KeyName)) << entry.KeyName.size();
}
