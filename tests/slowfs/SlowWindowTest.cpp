// The window over registrations on a slow file system (a share that takes its time): it answers
// while the existence tests run, the statuses and the count end up as on a fast one, and closing
// does not wait for a test stuck in the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "support/RootFixture.h"
#include "support/SlowFileSystem.h"
#include "texts/Texts.h"

namespace {

class SlowWindowTest : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    const std::optional<SlowFileSystem> slow = LoadedSlowFileSystem();
    ASSERT_TRUE(slow) << "LD_PRELOAD does not name libslowfs.so";
    delayMs_ = slow->delayMs;
    slowFolder_ = SlowFolderPath(*slow) + L"-window";
    CreateDirectoryW(slowFolder_.c_str(), nullptr);
    for (const wchar_t* key : {L"SLOW1.EXE", L"SLOW2.EXE", L"SLOW3.EXE"}) {
      const std::wstring program = slowFolder_ + L"\\" + key;
      CloseHandle(CreateFileW(program.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
      PutRegistration(key, program.c_str());
    }
    PutRegistration(L"GONE.EXE", (slowFolder_ + L"\\gone.exe").c_str());
    PutRegistration(L"FAST.EXE", MakeFile(L"fast.exe").c_str());
  }
  // The slow folder stays in the throwaway prefix: removing it would take its time per file.

  // The list as it is now, without waiting for the tests (List() waits for them).
  int RowNow(const std::wstring& text) {
    ListView& list = root_->EntryList().LstFileList();
    for (int row = 0; row < list.Count(); ++row)
      if (list.Text(row) == text) return row;
    return -1;
  }

  // The window as the start-up shows it: rows at once, statuses still being tested.
  void ShowRowsOnly() {
    ASSERT_TRUE(Create(false));
    ShowRows();
  }

  std::wstring slowFolder_;
  DWORD delayMs_ = 0;
};

TEST_F(SlowWindowTest, WindowAnswersWhileTestsRunAndEndsWithTheUsualStatuses) {
  ShowRowsOnly();
  EXPECT_EQ(root_->EntryList().LstFileList().Count(), 5) << "the rows are there before any test answered";
  EXPECT_GT(root_->PendingChecks(), 0u);
  // A slow row in the panel: its OK test is one more slow check.
  ASSERT_TRUE(root_->EntryList().LstFileList().Select(RowNow(L"Slow1.exe")));

  const HWND window = root_->Handle();
  std::atomic<bool> done{false};
  std::atomic<int> asked{0};
  std::atomic<int> unanswered{0};
  std::atomic<bool> stopped{false};
  // A window that waited for the slow file system would take a file call's delay to answer;
  // the benchmark measures how fast it really answers.
  const UINT patience = delayMs_;
  std::thread prober([&] {
    while (!done) {
      DWORD_PTR ignored = 0;
      if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, patience, &ignored))
        ++unanswered;

      ++asked;
      Sleep(20);
    }
    stopped = true;
  });
  // The program's message loop, with the panel's timer, until every test has answered, and on
  // until the prober has stopped (it must not wait for a loop that is gone).
  const auto pump = [] {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  };
  for (const ULONGLONG end = GetTickCount64() + 30000;
       root_->PendingChecks() > 0 && GetTickCount64() < end;)
    pump();
  done = true;
  while (!stopped) pump();
  prober.join();

  EXPECT_GT(asked, 10);
  EXPECT_EQ(unanswered, 0);
  ASSERT_EQ(root_->PendingChecks(), 0u);
  EXPECT_EQ(ImageKey(RowOf(L"Slow2.exe")), L"Ready");
  EXPECT_EQ(ImageKey(RowOf(L"Gone.exe")), L"Achtung");
  EXPECT_EQ(ImageKey(RowOf(L"Fast.exe")), L"Ready");
  EXPECT_EQ(WindowText(root_->LabFileError()), L" 1 fehlerhafter Eintrag");
}

TEST_F(SlowWindowTest, ClosingDoesNotWaitForTestsUnderWay) {
  ShowRowsOnly();
  ASSERT_GT(root_->PendingChecks(), 0u);
  const ULONGLONG start = GetTickCount64();
  root_.reset();
  EXPECT_LT(GetTickCount64() - start, delayMs_) << "closing waited for a file call";
}

}  // namespace
