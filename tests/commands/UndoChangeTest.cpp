// "Rückgängig" on the real window: each command's change taken back with Strg+Z leaves App Paths
// byte for byte as it was; the way back outlives the window, and another program's change since
// is only overwritten on Yes.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "platform/Registry.h"
#include "support/RootFixture.h"

namespace {

using Tree = std::optional<Registry::KeyTree>;

Tree AppPaths() { return Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey); }

// What the menu's first item showed when the menu last opened.
struct MenuItem {
  std::wstring text;
  bool enabled = false;
};
MenuItem g_shown;

// Reads the open pop-up menu's first item, then closes the menu.
void CALLBACK ReadFirstItemAndClose(HWND, UINT, UINT_PTR, DWORD) {
  const HWND popup = FindWindowW(L"#32768", nullptr);
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  wchar_t text[256] = {};
  if (menu != nullptr && GetMenuStringW(menu, 0, text, 256, MF_BYPOSITION) > 0) {
    g_shown.text = text;
    g_shown.enabled = (GetMenuState(menu, 0, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
  }
  EndMenu();
}

class UndoChangeTest : public RootFixture {
 protected:
  void WindowOpened() override { InstallCommands(*root_); }

  void Run(Command command) { ASSERT_TRUE(root_->RunCommand(command)); }

  // Strg+Z over the list (or another control), as the program's message loop hands it on.
  bool PressStrgZ(HWND over = nullptr) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG message{over ? over : root_->EntryList().LstFileList().Handle(), WM_KEYDOWN, 'Z', 0, 0, {}};
    const bool taken = root_->TranslateAccelerator(message);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    return taken;
  }

  // The list's context menu opened from the keyboard; its first item as shown.
  MenuItem FirstMenuItem() {
    g_shown = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &ReadFirstItemAndClose);
    SendMessageW(root_->Handle(), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(root_->EntryList().LstFileList().Handle()), -1);
    KillTimer(nullptr, timer);
    return g_shown;
  }

  void PutMissingProgram(const std::wstring& key) {
    PutRegistration(key, (Folder() + L"\\fehlt\\" + key).c_str());
  }
};

struct Case {
  const char* command;
  std::function<void()> put;  // the registrations before
  std::function<void()> act;  // the change, its questions answered
  const wchar_t* menu;        // the menu's first item afterwards
};

TEST_F(UndoChangeTest, StrgZTakesEachCommandsChangeBackByteForByte) {
  const wchar_t paths[] = L"C:\\A\0C:\\B\0";
  const BYTE raw[] = {0, 1, 2, 0xFF};
  const std::vector<Case> cases = {
      {"delete",
       [&] {
         PutRegistration(L"TOOL.EXE", L"C:\\Tool\\tool.exe", L"C:\\Tool;");
         PutRawValue(L"TOOL.EXE", L"Roh", REG_BINARY, raw, sizeof(raw));
         PutRawValue(L"TOOL.EXE\\Unter", L"Wert", REG_SZ, L"x", 4);
       },
       [this] { SelectRow(L"Tool.exe"), prompts_.messageAnswers = {IDYES, IDOK}, Run(Command::Löschen); },
       L"Rüc&kgängig: Löschen Tool.exe\tStrg+Z"},
      {"rename",
       [&] { PutRawValue(L"ALT.EXE\\Unter", L"Wert", REG_BINARY, raw, sizeof(raw)); },
       [this] { SelectRow(L"Alt.exe"), prompts_.renameAnswers = {L"Neu.exe"}, Run(Command::Umbenennen); },
       L"Rüc&kgängig: Umbenennen Alt.exe\tStrg+Z"},
      {"save of a multi-string Path",
       [&] { PutRawValue(L"MULTI.EXE", L"Path", REG_MULTI_SZ, paths, sizeof(paths)); },
       [this] { SelectRow(L"Multi.exe"), Text3().SetText(L"C:\\Neu;"), Run(Command::Speichern); },
       L"Rüc&kgängig: Speichern Multi.exe\tStrg+Z"},
      {"new entry", [this] { PutRegistration(L"DA.EXE", L"C:\\da.exe"); },
       [this] {
         Run(Command::Hinzufügen);
         Text1().SetText(L"Frisch&Neu.exe"), Text2().SetText(L"C:\\frisch.exe");
         Run(Command::Speichern);
       },
       L"Rüc&kgängig: Hinzufügen Frisch&&neu.exe\tStrg+Z"},
      {"clean-up of two keys",
       [this] {
         PutMissingProgram(L"WEG1.EXE"), PutMissingProgram(L"WEG2.EXE");
         PutRawValue(L"WEG2.EXE\\Unter", L"", REG_EXPAND_SZ, L"%X%", 8);
       },
       [this] { prompts_.messageAnswers = {IDOK}, Run(Command::Bereinigen); },
       L"Rüc&kgängig: Bereinigen 2 Einträge\tStrg+Z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    AppPathsFixture::SetUp();  // App Paths emptied again
    c.put();
    OpenWindow();
    const Tree before = AppPaths();
    ASSERT_TRUE(before);
    c.act();
    ASSERT_NE(AppPaths(), before) << "the command changed nothing";
    const MenuItem item = FirstMenuItem();
    EXPECT_EQ(item.text, c.menu);
    EXPECT_TRUE(item.enabled);
    prompts_.messages.clear();

    EXPECT_TRUE(PressStrgZ());

    EXPECT_EQ(AppPaths(), before);
    EXPECT_TRUE(prompts_.messages.empty()) << Narrow(prompts_.messages[0].text);
    EXPECT_EQ(List().Count(), static_cast<int>(before->subKeys.size()));
    EXPECT_EQ(FirstMenuItem().text, L"Rüc&kgängig\tStrg+Z") << "a change is taken back once";
    EXPECT_FALSE(g_shown.enabled);
    EXPECT_FALSE(PressStrgZ(Text2().Handle())) << "in a text box the key is the box's own";
  }
}

// In the next window (the journal is in its file), another program's change since the command:
// the undo asks, No leaves the key as it is, Yes takes the change back over it.
TEST_F(UndoChangeTest, TheNextWindowAsksBeforeOverwritingAnotherProgramsChange) {
  PutRegistration(L"TOOL.EXE", L"C:\\tool.exe");
  OpenWindow();
  const Tree start = AppPaths();
  SelectRow(L"Tool.exe");
  prompts_.messageAnswers = {IDYES, IDOK};
  Run(Command::Löschen);
  root_.reset();
  PutRegistration(L"TOOL.EXE", L"C:\\fremd.exe");
  const Tree theirs = AppPaths();
  OpenWindow();
  prompts_.messages.clear();

  prompts_.messageAnswers = {IDNO};
  EXPECT_TRUE(PressStrgZ());
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text,
            L"Der Eintrag Tool.exe wurde seit dieser Änderung von einem anderen Programm "
            L"geändert.  \nSoll die Änderung trotzdem rückgängig gemacht werden ? Was das andere "
            L"Programm geschrieben hat, geht dann verloren.  ");
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(AppPaths(), theirs);

  prompts_.messageAnswers = {IDYES};
  SendCommand(Root::kMnuRückgängig);
  EXPECT_EQ(AppPaths(), start);
}

}  // namespace
