#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

#include "support/ScriptedPrompts.h"
#include "texts/ExplanationTexts.h"
#include "ui/dialogs/DialogIds.h"
#include "ui/dialogs/Umbenennen.h"

namespace {

const wchar_t kCaption[] = L" Dateinamen umbenennen";

// Runs one action from inside the dialog's modal loop once the dialog is open. The action must
// close the dialog (or leave that to a later action it queues).
std::function<void(HWND)> g_action;

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowW(L"#32770", kCaption);
  if (dialog == nullptr || !IsWindowVisible(dialog)) return;
  KillTimer(nullptr, timer);
  std::exchange(g_action, nullptr)(dialog);
}

std::wstring Text(HWND window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  return buffer;
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

int DpiOf(HWND window) { return GetDpiForWindow(window) ? int(GetDpiForWindow(window)) : 96; }

int ShownIconWidth(HWND dialog) {
  const auto icon = reinterpret_cast<HICON>(
      SendDlgItemMessageW(dialog, IDC_UMBENENNEN_PBILDDATEI, STM_GETICON, 0, 0));
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
  DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  return bitmap.bmWidth;
}

// The room `control`'s text takes when drawn with its font, `format` and at most its width.
RECT NeededFor(HWND control, UINT format) {
  RECT needed{};
  GetClientRect(control, &needed);
  needed.bottom = 0;
  const HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  DrawTextW(dc, Text(control).c_str(), -1, &needed, DT_CALCRECT | format);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return needed;
}

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
    auto answer = Umbenennen::Show(owner_, proposed, installation, prompts_);
    EXPECT_FALSE(g_action) << "the dialog never opened";
    return answer;
  }

  HWND owner_ = nullptr;
  ScriptedPrompts prompts_;
};

TEST_F(UmbenennenTest, OpensWithTheProposalSelectedInTheFocusedField) {
  DWORD start = 1, end = 0;
  bool focused = false, ownerDisabled = false;
  const auto answer = Run(L"Notepad.exe", L"C:\\WINDOWS\\NOTEPAD.EXE", [&](HWND dialog) {
    HWND name = GetDlgItem(dialog, IDC_UMBENENNEN_TNAME);
    SendMessageW(name, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    focused = GetFocus() == name;
    ownerDisabled = !IsWindowEnabled(owner_);
    EXPECT_EQ(Text(name), L"Notepad.exe");
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(answer.has_value());
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 11u);
  EXPECT_TRUE(focused);
  EXPECT_TRUE(ownerDisabled) << "the main window must take no input while the dialog is open";
}

// Neither cut off nor wrapped out of sight in the dialog's own font: static texts wrap at words
// as DrawText does, button captions stand on one line.
TEST_F(UmbenennenTest, EveryTextFitsItsControl) {
  Run(L"A.exe", L"C:\\a.exe", [](HWND dialog) {
    for (int id : {IDC_UMBENENNEN_RNAMEN, IDC_UMBENENNEN_LABEL2, IDOK,
                   IDCANCEL, IDC_UMBENENNEN_BHILFE}) {
      const HWND control = GetDlgItem(dialog, id);
      const bool label = id == IDC_UMBENENNEN_RNAMEN || id == IDC_UMBENENNEN_LABEL2;
      const RECT needed = NeededFor(control, label ? DT_WORDBREAK | DT_EXPANDTABS : DT_SINGLELINE);
      RECT box{};
      GetClientRect(control, &box);
      if (!label) InflateRect(&box, -2 * GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
      EXPECT_FALSE(Text(control).empty()) << id;
      EXPECT_LE(needed.right - needed.left, box.right - box.left) << id;
      EXPECT_LE(needed.bottom - needed.top, box.bottom - box.top) << id;
    }
    Click(dialog, IDCANCEL);
  });
}

// Wine moves no window to a monitor of another DPI, so the test sends what Windows would.
TEST_F(UmbenennenTest, TheIconHasTheSizeOfTheDialogsDpi) {
  const int dpi = DpiOf(owner_);
  int atOpen = 0, afterChange = 0;
  Run(L"A.exe", L"C:\\a.exe", [&](HWND dialog) {
    atOpen = ShownIconWidth(dialog);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi),
                 reinterpret_cast<LPARAM>(&frame));
    afterChange = ShownIconWidth(dialog);
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(atOpen, MulDiv(48, dpi, 96));
  EXPECT_EQ(afterChange, MulDiv(48, 2 * dpi, 96));
}

TEST_F(UmbenennenTest, OkAcceptsTheCheckedAndCapitalisedName) {
  const auto answer = Run(L"Notepad.exe", L"C:\\WINDOWS\\NOTEPAD.EXE", [](HWND dialog) {
    SetDlgItemTextW(dialog, IDC_UMBENENNEN_TNAME, L"editor");
    Click(dialog, IDOK);
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
    SetDlgItemTextW(dialog, IDC_UMBENENNEN_TNAME, L"app.exe");
    Click(dialog, IDOK);
    stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
    adjusted = Text(GetDlgItem(dialog, IDC_UMBENENNEN_TNAME));
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(answer.has_value());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(adjusted, L"app.EXE");
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text,
            L"Sie haben ebenfalls den Dateityp der Anwendung geändert.  ");
  EXPECT_EQ(prompts_.messages[0].title, L" Dateitypen anpassen");
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING));
}

// A name the registry cannot take is refused over the open dialog, which keeps what was typed,
// selected; "Hilfe" explains what the field takes and leaves the dialog open.
TEST_F(UmbenennenTest, ARefusedNameStaysSelectedInTheOpenDialog) {
  bool openDuringMessage = false;
  DWORD start = 99, end = 0;
  const auto answer = Run(L"Notepad.exe", L"C:\\X\\app.exe", [&](HWND dialog) {
    prompts_.whileAsking = [&] { openDuringMessage = IsWindowVisible(dialog) != FALSE; };
    const HWND name = GetDlgItem(dialog, IDC_UMBENENNEN_TNAME);
    SetWindowTextW(name, L"Ordner\\App.exe");
    Click(dialog, IDOK);
    SendMessageW(name, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(Text(name), L"Ordner\\App.exe");
    EXPECT_EQ(GetFocus(), name);
    Click(dialog, IDC_UMBENENNEN_BHILFE);
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(answer.has_value());
  EXPECT_TRUE(openDuringMessage);
  EXPECT_EQ(start + end, 14u);
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[0].text, Texts::kKeyNameBackslash);
  EXPECT_EQ(prompts_.messages[1].text, Texts::kRenameHelpText);
}

TEST_F(UmbenennenTest, NonStandardTypeQuestionHasItsOwnText) {
  prompts_.messageAnswers = {IDOK, IDOK};
  const auto answer = Run(L"x", L"C:\\X\\setup.exe", [](HWND dialog) {
    SetDlgItemTextW(dialog, IDC_UMBENENNEN_TNAME, L"Setup.ex");
    Click(dialog, IDOK);
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
  auto close =
      Run(L"A.exe", L"C:\\a.exe", [](HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); });
  EXPECT_FALSE(close.has_value());
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(UmbenennenTest, AnUnexpectedFailureIsReportedAndEndsTheDialogCancelled) {
  bool thrown = false;
  prompts_.whileAsking = [&] {
    if (!std::exchange(thrown, true)) throw std::runtime_error("the type question failed");
  };
  const auto answer = Run(L"App.exe", L"C:\\X\\APP.EXE", [](HWND dialog) {
    SetDlgItemTextW(dialog, IDC_UMBENENNEN_TNAME, L"app.com");
    Click(dialog, IDOK);
  });
  EXPECT_FALSE(answer.has_value());
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[1].text, Texts::kUnexpectedError);
  EXPECT_EQ(prompts_.messages[1].title, Texts::kRenameCaption);
  EXPECT_EQ(prompts_.messages[1].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

}  // namespace
