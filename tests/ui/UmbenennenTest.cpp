#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/ScriptedPrompts.h"
#include "ui/Umbenennen.h"

namespace {

const wchar_t kCaption[] = L" Dateinamen umbenennen";

// Runs one action from inside the dialog's modal loop once the dialog is open. The action must
// close the dialog (or leave that to a later action it queues).
std::function<void(HWND)> g_action;

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(L"#32770", kCaption);
  if (dialog == nullptr || !IsWindowVisible(dialog)) return;
  KillTimer(nullptr, timer);
  auto action = std::move(g_action);
  action(dialog);
}

std::wstring Text(HWND window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  return buffer;
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class UmbenennenTest : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"Besitzer", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                             100, 600, 500, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }

  std::optional<std::wstring> Run(const std::wstring& proposed, const std::wstring& installation,
                                  std::function<void(HWND)> action) {
    g_action = std::move(action);
    SetTimer(nullptr, 0, 30, DriveDialog);
    return Umbenennen::Show(owner_, proposed, installation, prompts_);
  }

  HWND owner_ = nullptr;
  ScriptedPrompts prompts_;
};

TEST_F(UmbenennenTest, OpensWithTheProposalSelectedInTheFocusedField) {
  DWORD start = 1, end = 0;
  bool focused = false, ownerDisabled = false;
  RECT client{};
  const auto answer = Run(L"Notepad.exe", L"C:\\WINDOWS\\NOTEPAD.EXE", [&](HWND dialog) {
    HWND name = GetDlgItem(dialog, Umbenennen::kTName);
    SendMessageW(name, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    focused = GetFocus() == name;
    ownerDisabled = !IsWindowEnabled(owner_);
    GetClientRect(dialog, &client);
    EXPECT_EQ(Text(name), L"Notepad.exe");
    EXPECT_EQ(Text(GetDlgItem(dialog, Umbenennen::kBReady)), L"&Ok");
    EXPECT_EQ(Text(GetDlgItem(dialog, Umbenennen::kBAbbrechen)), L"&Abbrechen");
    EXPECT_EQ(Text(GetDlgItem(dialog, Umbenennen::kBHilfe)), L"&Hilfe");
    EXPECT_EQ(Text(GetDlgItem(dialog, Umbenennen::kRNamen)), L"&Datei:");
    EXPECT_NE(SendDlgItemMessageW(dialog, Umbenennen::kPBilddatei, STM_GETICON, 0, 0), 0);
    Click(dialog, Umbenennen::kBAbbrechen);
  });
  EXPECT_FALSE(answer.has_value());
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 11u);
  EXPECT_TRUE(focused);
  EXPECT_TRUE(ownerDisabled) << "the main window must take no input while the dialog is open";
  const UINT dpi = GetDpiForWindow(owner_) ? GetDpiForWindow(owner_) : 96;
  EXPECT_EQ(client.right, MulDiv(362, static_cast<int>(dpi), 96));
  EXPECT_EQ(client.bottom, MulDiv(171, static_cast<int>(dpi), 96));
}

TEST_F(UmbenennenTest, OkAcceptsTheCheckedAndCapitalisedName) {
  const auto answer = Run(L"Notepad.exe", L"C:\\WINDOWS\\NOTEPAD.EXE", [](HWND dialog) {
    SetDlgItemTextW(dialog, Umbenennen::kTName, L"editor");
    Click(dialog, Umbenennen::kBReady);
  });
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(*answer, L"Editor.exe");
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(UmbenennenTest, CancelledQuestionAdjustsTheFieldAndKeepsTheDialogOpen) {
  prompts_.messageAnswers = {IDCANCEL};
  std::wstring adjusted;
  bool stillOpen = false;
  const auto answer = Run(L"Notepad.exe", L"C:\\X\\APP.EXE", [&](HWND dialog) {
    SetDlgItemTextW(dialog, Umbenennen::kTName, L"app.exe");
    Click(dialog, Umbenennen::kBReady);
    stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
    adjusted = Text(GetDlgItem(dialog, Umbenennen::kTName));
    Click(dialog, Umbenennen::kBHilfe);  // no action: the dialog stays
    EXPECT_TRUE(IsWindowVisible(dialog));
    Click(dialog, Umbenennen::kBAbbrechen);
  });
  EXPECT_FALSE(answer.has_value());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(adjusted, L"app.EXE");
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"Sie haben ebenfalls den Dateityp der Anwendung geändert.  ");
  EXPECT_EQ(prompts_.messages[0].title, L" Dateitypen anpassen");
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING));
}

TEST_F(UmbenennenTest, NonStandardTypeQuestionHasItsOwnText) {
  prompts_.messageAnswers = {IDOK, IDOK};
  const auto answer = Run(L"x", L"C:\\X\\setup.exe", [](HWND dialog) {
    SetDlgItemTextW(dialog, Umbenennen::kTName, L"Setup.ex");
    Click(dialog, Umbenennen::kBReady);
  });
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[0].text,
            L"Der Dateityp dieser Anwendung enstpricht nicht dem Standardformat.  ");
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(*answer, L"Setup.ex");
}

TEST_F(UmbenennenTest, EscapeAndTheCloseBoxCancel) {
  auto escape = Run(L"A.exe", L"C:\\a.exe", [](HWND dialog) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  EXPECT_FALSE(escape.has_value());
  auto close = Run(L"A.exe", L"C:\\a.exe", [](HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); });
  EXPECT_FALSE(close.has_value());
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

}  // namespace
