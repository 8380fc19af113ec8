#include <gtest/gtest.h>

#include <windows.h>

#include "platform/Dateiexistenz.h"
#include "platform/Processes.h"
#include "platform/SpecialFolders.h"

namespace {
std::wstring CommandProcessor() { return WindowsFolder() + L"\\system32\\cmd.exe"; }
}  // namespace

TEST(Processes, WindowsFolderAndRegistryEditorExist) {
  const std::wstring windows = WindowsFolder();
  ASSERT_FALSE(windows.empty());
  EXPECT_TRUE(PathExists(windows));
  const std::wstring editor = RegistryEditorPath();
  EXPECT_EQ(editor, windows + L"\\regedit.exe");
  EXPECT_TRUE(FileExists(editor));
}

TEST(Processes, StartedProgramRunsToItsExitCode) {
  const std::wstring cmd = CommandProcessor();
  DWORD error = 1;
  std::optional<UniqueHandle> process =
      StartProgram(cmd, L"\"" + cmd + L"\" /c exit 7", WindowsFolder(), SW_HIDE, &error);
  ASSERT_TRUE(process.has_value()) << error;
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
  DWORD exitCode = 0;
  ASSERT_TRUE(WaitForProcess(process->get(), 30, &exitCode));
  EXPECT_EQ(exitCode, 7u);
}

TEST(Processes, NeitherSearchedForNorRelative) {
  DWORD error = ERROR_SUCCESS;
  EXPECT_FALSE(StartProgram(L"cmd.exe", L"cmd.exe /c exit 0", L"", SW_HIDE, &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(StartProgram(L"\\windows\\system32\\cmd.exe", L"", L"", SW_HIDE, &error));
  EXPECT_FALSE(StartProgram(L"C:cmd.exe", L"", L"", SW_HIDE, &error));
  EXPECT_FALSE(StartProgram(WindowsFolder() + L"\\missing-program.exe", L"", L"", SW_HIDE, &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(Processes, WaitIsBoundedAndPumpsMessages) {
  static int timerCalls = 0;
  timerCalls = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { ++timerCalls; });
  // An event nobody sets stands in for a process that does not end.
  UniqueHandle never(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(never);
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(WaitForProcess(never.get(), 0.3));
  const ULONGLONG took = GetTickCount64() - start;
  KillTimer(nullptr, timer);
  EXPECT_GE(took, 280u);
  EXPECT_LT(took, 3000u);
  EXPECT_GT(timerCalls, 0);
  EXPECT_FALSE(WaitForProcess(nullptr, 1));
}
