#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/Dateiexistenz.h"
#include "platform/Others.h"

namespace {
int timerCalls = 0;
void CALLBACK CountTimer(HWND, UINT, UINT_PTR, DWORD) { ++timerCalls; }
}  // namespace

TEST(ProcessPendingEvents, DispatchesAndKeepsTheQuitRequest) {
  timerCalls = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, CountTimer);
  Sleep(30);
  PostQuitMessage(3);
  ProcessPendingEvents();
  KillTimer(nullptr, timer);
  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
}

TEST(Others, ProgramFolderHoldsThisExecutable) {
  const std::wstring folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), L'\\');
  EXPECT_TRUE(FileExists(folder + L"\\platform_tests.exe")) << folder.c_str();
}

TEST(Others, SystemMessageWithoutLineBreak) {
  const std::wstring text = SystemMessage(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), L'\n');
  EXPECT_NE(text.back(), L'\r');
}
