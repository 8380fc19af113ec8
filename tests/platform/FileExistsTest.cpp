#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Dateiexistenz.h"

namespace {
// What FileExists answered before it asked the attribute query first: a file search alone.
bool SearchFinds(const std::wstring& path) {
  if (path.find(L'\0') != std::wstring::npos) return false;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

std::wstring Slashed(std::wstring path) {
  for (wchar_t& c : path)
    if (c == L'\\') c = L'/';
  return path;
}

std::wstring MissingDrive() {
  const DWORD drives = GetLogicalDrives();
  for (int letter = 25; letter >= 3; --letter)
    if ((drives & (1u << letter)) == 0) return std::wstring(1, wchar_t(L'A' + letter)) + L":";
  return L"C:";
}

// A folder in the temporary folder with tool.exe, a sub folder, and a file whose path is
// longer than MAX_PATH.
class FileExistsTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    folder_ = std::wstring(temp) + L"velmarin-exists-" + std::to_wstring(GetCurrentProcessId());
    file_ = folder_ + L"\\tool.exe";
    sub_ = folder_ + L"\\sub";
    longFolder_ = folder_ + L"\\" + std::wstring(200, L'd');
    longFile_ = longFolder_ + L"\\" + std::wstring(100, L'f') + L".exe";
    for (const std::wstring& folder : {folder_, sub_, longFolder_})
      ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr)) << folder.c_str();
    for (const std::wstring& file : {file_, longFile_}) {
      const HANDLE h = CreateFileW((L"\\\\?\\" + file).c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(h, INVALID_HANDLE_VALUE) << file.c_str();
      CloseHandle(h);
    }
  }
  void TearDown() override {
    for (const std::wstring& file : {longFile_, file_}) DeleteFileW((L"\\\\?\\" + file).c_str());
    for (const std::wstring& folder : {longFolder_, sub_, folder_})
      RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
  }

  std::wstring folder_, file_, sub_, longFolder_, longFile_;
};
}  // namespace

TEST_F(FileExistsTest, AnswersAsTheFileSearchDoes) {
  const std::wstring verbatim = L"\\\\?\\" + folder_;
  const std::wstring paths[] = {
      // Plain files and folders, present and missing.
      file_, folder_, sub_, folder_ + L"\\missing.exe", folder_ + L"\\missing\\tool.exe",
      file_ + L"\\tool.exe", folder_ + L"\\TOOL.EXE", L"C:\\windows", L"platform_tests.exe",
      MissingDrive() + L"\\tool.exe", MissingDrive(),
      // Patterns, matching and not, also the DOS forms < > " and a wildcard in a folder.
      folder_ + L"\\*.exe", folder_ + L"\\*.dll", folder_ + L"\\too?.exe", folder_ + L"\\?",
      folder_ + L"\\tool.ex>", folder_ + L"\\tool<exe", folder_ + L"\\tool\"exe",
      folder_ + L"\\*\\tool.exe",
      // Trailing separators, roots and names Windows strips to nothing.
      file_ + L"\\", folder_ + L"\\", sub_ + L"\\", folder_ + L"/", folder_ + L"\\\\", L"C:\\",
      L"C:", L"C:/", L"\\", L".", L"..", L".\\", L"C:.", L"C:\\.", L"C:\\..", folder_ + L"\\.",
      folder_ + L"\\..", sub_ + L"\\..\\tool.exe", file_ + L"\\.", folder_ + L"\\ ",
      folder_ + L"\\. ",
      // Trailing dots and spaces, which Windows strips except after \\?\.
      file_ + L".", file_ + L"..", file_ + L" ", file_ + L" . ", folder_ + L".",
      verbatim + L"\\tool.exe", verbatim, verbatim + L"\\", verbatim + L"\\tool.exe.",
      verbatim + L"\\tool.exe ", verbatim + L"\\.", verbatim + L"\\..", verbatim + L"\\*.exe",
      L"\\\\?\\" + Slashed(file_), L"\\\\?\\C:\\", L"\\\\?\\C:", L"\\\\?\\GLOBALROOT", L"\\\\?\\",
      // The device namespace.
      L"\\\\.\\" + file_, L"\\\\.\\C:", L"\\\\.\\C:\\", L"\\\\.\\NUL", L"\\\\.\\",
      // Forward slashes.
      Slashed(file_), Slashed(folder_), Slashed(folder_) + L"//tool.exe",
      // Shares of a server that is not there.
      L"\\\\velmarin-no-server\\share\\tool.exe", L"\\\\velmarin-no-server\\share",
      L"\\\\velmarin-no-server\\share\\", L"\\\\velmarin-no-server", L"\\\\",
      L"//velmarin-no-server/share/tool.exe", L"\\\\?\\UNC\\velmarin-no-server\\share\\tool.exe",
      L"\\\\?\\UNC\\velmarin-no-server\\share",
      // Longer than MAX_PATH.
      longFile_, L"\\\\?\\" + longFile_, longFolder_, longFolder_ + L"\\missing.exe",
      folder_ + L"\\" + std::wstring(300, L'm'),
      // Devices, streams and characters no name may hold.
      L"NUL", L"CON", folder_ + L"\\nul.txt", folder_ + L"\\COM1", file_ + L"::$DATA",
      file_ + L":info", folder_ + L"\\tool|exe", file_ + L"\t",
      // Empty, and an embedded NUL in front of a name that exists.
      L"", folder_ + std::wstring(1, L'\0') + L"\\missing.exe",
      std::wstring(L"missing") + std::wstring(1, L'\0') + file_,
  };
  int found = 0;
  for (const std::wstring& path : paths) {
    const bool expected = SearchFinds(path);
    found += expected ? 1 : 0;
    EXPECT_EQ(static_cast<bool>(FileExists(path)), expected) << path.c_str();
  }
  // The table tests both answers, not just one of them many times.
  EXPECT_GT(found, 10);
  EXPECT_GT(static_cast<int>(std::size(paths)) - found, 10);
}

// "Not there" only when the system says so; whatever else it answers leaves the question open.
TEST(ExistenceOfError, OnlyAbsenceCodesSayNotThere) {
  const struct {
    DWORD error;
    Existence answer;
  } rows[] = {
      {ERROR_SUCCESS, Existence::Found},           {ERROR_FILE_NOT_FOUND, Existence::NotThere},
      {ERROR_PATH_NOT_FOUND, Existence::NotThere}, {ERROR_NO_MORE_FILES, Existence::NotThere},
      {ERROR_INVALID_NAME, Existence::NotThere},   {ERROR_BAD_PATHNAME, Existence::NotThere},
      {ERROR_BAD_NETPATH, Existence::CannotTell},  {ERROR_BAD_NET_NAME, Existence::CannotTell},
      {ERROR_BAD_DEV_TYPE, Existence::CannotTell}, {ERROR_NETWORK_UNREACHABLE, Existence::CannotTell},
      {ERROR_SEM_TIMEOUT, Existence::CannotTell},  {ERROR_NOT_READY, Existence::CannotTell},
      {ERROR_ACCESS_DENIED, Existence::CannotTell}, {ERROR_SHARING_VIOLATION, Existence::CannotTell},
      {ERROR_INVALID_DRIVE, Existence::CannotTell},
  };
  for (const auto& row : rows) EXPECT_EQ(ExistenceOfError(row.error), row.answer) << row.error;
}

// A drive the session lacks leaves every name on it open, in a folder or at its root; a file
// missing from a folder that is there is simply not there.
TEST_F(FileExistsTest, OnlyADriveThatIsThereSaysNotThere) {
  for (const std::wstring& path : {MissingDrive() + L"\\tool.exe",
                                   MissingDrive() + L"\\Tools\\Sub\\tool.exe"})
    EXPECT_EQ(FileExists(path).answer, Existence::CannotTell) << path.c_str();
  for (const std::wstring& path : {folder_ + L"\\missing.exe", folder_ + L"\\gone\\tool.exe"})
    EXPECT_EQ(FileExists(path).answer, Existence::NotThere) << path.c_str();
}
