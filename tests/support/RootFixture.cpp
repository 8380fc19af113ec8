#include "support/RootFixture.h"

#include <cwchar>
#include <fstream>

#include "platform/Registry.h"
#include "ui/UserSettings.h"
#include "ui/controls/StatusImages.h"

namespace {

// One per test, made new and empty, so no test finds another's files: Wine gives its
// processes small ids again and again, and a folder an earlier process could not remove must
// not be taken for this test's.
std::filesystem::path NewScratchFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  for (;;) {
    const std::filesystem::path folder =
        std::filesystem::path(temp) / (L"velmarin-test-" + std::to_wstring(GetCurrentProcessId()) +
                                       L"-" + std::to_wstring(++counter));
    if (std::filesystem::create_directory(folder)) return folder;
  }
}

}  // namespace

void RootFixture::SetUp() {
  AppPathsFixture::SetUp();
  // Each window starts as a new user's first one: no size, column or choice remembered from
  // another test.
  Registry::DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
  folder_ = NewScratchFolder();
  userBackupFolder_ = (folder_ / L"Benutzer").wstring();
}

void RootFixture::TearDown() {
  root_.reset();
  AppPathsFixture::TearDown();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

bool RootFixture::Create(bool runStartup, const std::wstring& backupFolder) {
  root_ = std::make_unique<Root>(prompts_);
  RootOptions options;
  options.runStartup = runStartup;
  options.show = false;
  options.backupFolder = backupFolder.empty() ? folder_.wstring() : backupFolder;
  options.userBackupFolder = userBackupFolder_;
  // Each test starts with a journal of its own, kept until the test ends.
  options.journalFile = (folder_ / L"Protokoll" / L"Journal.dat").wstring();
  options.endsProgram = false;
  if (!root_->Create(GetModuleHandleW(nullptr), options)) return false;
  // The start-up runs from a posted message, as it does once the program's loop runs.
  MSG message{};
  while (PeekMessageW(&message, root_->Handle(), 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  return Settle();
}

void RootFixture::OpenWindow() {
  ASSERT_TRUE(Create(false));
  FillList();
  WindowOpened();
}

// The reading's answer is taken alone: the existence tests it starts answer later.
void RootFixture::ShowRows() {
  root_->ReadCatalogue();
  for (const ULONGLONG end = GetTickCount64() + 10000;
       root_->Reading() && GetTickCount64() < end;) {
    MSG message{};
    if (PeekMessageW(&message, root_->Handle(), Root::kScanFinishedMessage,
                     Root::kScanFinishedMessage, PM_REMOVE))
      DispatchMessageW(&message);
    else
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
  }
}

std::wstring RootFixture::ImageKey(int row) {
  const int image = List().ImageIndex(row);
  const std::vector<std::wstring> keys = StatusImageKeys();
  return image >= 0 && image < static_cast<int>(keys.size()) ? keys[static_cast<size_t>(image)]
                                                             : L"";
}

// The existence tests answer on worker threads; their answers come through the message queue.
bool RootFixture::Settle() {
  if (!root_ || root_->Handle() == nullptr) return true;
  for (const ULONGLONG end = GetTickCount64() + 10000; root_->PendingChecks() > 0;) {
    MSG message{};
    while (PeekMessageW(&message, root_->Handle(), WM_APP, WM_APP + 0x100, PM_REMOVE))
      DispatchMessageW(&message);
    if (root_->PendingChecks() == 0) break;
    if (GetTickCount64() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
  }
  return true;
}

int RootFixture::RowOf(const std::wstring& text) {
  for (int i = 0; i < List().Count(); ++i)
    if (List().Text(i) == text) return i;
  return -1;
}

void RootFixture::SelectRow(const std::wstring& text) {
  SelectRowOnly(text);
  if (!HasFatalFailure()) root_->LoadSelectedRow();
}

void RootFixture::SelectRowOnly(const std::wstring& text) {
  const int row = RowOf(text);
  ASSERT_GE(row, 0) << "no row " << Narrow(text);
  ASSERT_TRUE(List().Select(row));
}

std::wstring RootFixture::SelectedText() {
  const int row = List().SelectedIndex();
  return row < 0 ? L"<none>" : List().Text(row);
}

void RootFixture::SendCommand(int id, int code) {
  SendMessageW(root_->Handle(), WM_COMMAND, MAKEWPARAM(id, code),
               reinterpret_cast<LPARAM>(root_->Control(id)));
}

void RootFixture::PumpAsTheProgram() {
  for (MSG m{}; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);)
    if (!root_ || !root_->PreTranslate(m)) TranslateMessage(&m), DispatchMessageW(&m);
}

void RootFixture::PressKey(HWND target, UINT key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PumpAsTheProgram();
}

std::wstring RootFixture::MakeFile(const std::filesystem::path& relative) {
  const std::filesystem::path path = folder_ / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << "MZ";
  return path.wstring();
}

std::wstring RootFixture::CacheLine(int index) { return root_->EntryList().CacheLine(index); }

void RootFixture::PutLastBrowseFolder(const std::wstring& folder) {
  PutRawValue(L"", L"Path", REG_SZ, folder.c_str(),
              static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
}
