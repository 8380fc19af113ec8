// "Rückgängig" on the real window: each command's change taken back with Strg+Z leaves App
// Paths byte for byte as it was; another program's change since is only overwritten on Yes; the
// way back outlives the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
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

  // Strg+Z over the list, as the program's message loop hands it to the window.
  bool PressStrgZ() {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE held[256];
    std::memcpy(held, keys, sizeof(keys));
    held[VK_CONTROL] = 0x80;
    SetKeyboardState(held);
    MSG message{root_->EntryList().LstFileList().Handle(), WM_KEYDOWN, 'Z', 0x002C0001, 0, {}};
    const bool taken = root_->TranslateAccelerator(message);
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
  const wchar_t* menu;                        // the menu's first item afterwards
};

TEST_F(UndoChangeTest, StrgZTakesEachCommandsChangeBackByteForByte) {
  const std::vector<Case> cases = {
      {"delete",
       [this] {
         PutRegistration(L"TOOL.EXE", L"C:\\Tool\\tool.exe", L"C:\\Tool;");
         const BYTE raw[] = {0, 1, 2, 0xFF};
         PutRawValue(L"TOOL.EXE", L"Roh", REG_BINARY, raw, sizeof(raw));
         PutRawValue(L"TOOL.EXE\\Unter", L"Wert", REG_SZ, L"x", 4);
       },
       [this] {
         SelectRow(L"Tool.exe");
         prompts_.messageAnswers = {IDYES, IDOK};
         Run(Command::Löschen);
       },
       L"Rückgängig: Löschen Tool.exe\tStrg+Z"},
      {"rename",
       [this] {
         PutRegistration(L"ALT.EXE", L"C:\\Alt\\alexe");
         PutRawValue(L"ALT.EXE\\Unter", L"Wert", REG_DWORD, "\1\0\0\0", 4);
       },
       [this] {
         SelectRow(L"Alt.exe");
         prompts_.renameAnswers = {L"Neu.exe"};
         Run(Command::Umbenennen);
         EXPECT_TRUE(RegistrationExists(L"NEU.EXE"));
       },
       L"Rückgängig: Umbenennen Alt.exe\tStrg+Z"},
      {"save of a multi-string Path",
       [this] {
         PutRegistration(L"MULTI.EXE", L"C:\\M\\multi.exe");
         const wchar_t paths[] = L"C:\\A\0C:\\B\0";
         PutRawValue(L"MULTI.EXE", L"Path", REG_MULTI_SZ, paths, sizeof(paths));
       },
       [this] {
         SelectRow(L"Multi.exe");
         Text3().SetText(L"C:\\Neu;");
         Run(Command::Speichern);
       },
       L"Rückgängig: Speichern Multi.exe\tStrg+Z"},
      {"new entry",
       [this] { PutRegistration(L"DA.EXE", L"C:\\da.exe"); },
       [this] {
         Run(Command::Hinzufügen);
         Text1().SetText(L"Frisch&Neu.exe");
         Text2().SetText(L"C:\\frisch.exe");
         Run(Command::Speichern);
         EXPECT_TRUE(RegistrationExists(L"FRISCH&NEU.EXE"));
       },
       L"Rückgängig: Hinzufügen Frisch&&neu.exe\tStrg+Z"},
      {"clean-up of two keys",
       [this] {
         PutMissingProgram(L"WEG1.EXE");
         PutMissingProgram(L"WEG2.EXE");
         PutRawValue(L"WEG2.EXE\\Unter", L"", REG_EXPAND_SZ, L"%X%", 8);
       },
       [this] {
         prompts_.messageAnswers = {IDOK};
         Run(Command::Bereinigen);
         EXPECT_FALSE(RegistrationExists(L"WEG1.EXE"));
       },
       L"Rückgängig: Bereinigen 2 Einträge\tStrg+Z"},
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
    EXPECT_EQ(FirstMenuItem().text, L"Rückgängig\tStrg+Z") << "a change is taken back once";
    EXPECT_FALSE(g_shown.enabled);
  }
}

// Taken back newest first, several in a row; in a text box Strg+Z is the box's own.
TEST_F(UndoChangeTest, SeveralStepsBackNewestFirst) {
  PutRegistration(L"EINS.EXE", L"C:\\eins.exe");
  OpenWindow();
  const Tree start = AppPaths();
  SelectRow(L"Eins.exe");
  Text2().SetText(L"C:\\zwei.exe");
  Run(Command::Speichern);
  const Tree saved = AppPaths();
  prompts_.messageAnswers = {IDYES, IDOK};
  Run(Command::Löschen);
  ASSERT_FALSE(RegistrationExists(L"EINS.EXE"));

  SetFocus(Text2().Handle());
  MSG inBox{Text2().Handle(), WM_KEYDOWN, 'Z', 0, 0, {}};
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_FALSE(root_->TranslateAccelerator(inBox));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);

  SendCommand(Root::kMnuRückgängig);
  EXPECT_EQ(AppPaths(), saved);
  EXPECT_EQ(Text2().Text(), L"C:\\zwei.exe") << "the panel shows the key that came back";
  SendCommand(Root::kMnuRückgängig);
  EXPECT_EQ(AppPaths(), start);
}

// Another program's change since the command: the undo asks, and No leaves the key as it is;
// Yes takes the change back over i
TEST_F(UndoChangeTest, AChangeByAnotherProgramIsOverwrittenOnlyOnYes) {
  PutRegistration(L"TOOL.EXE", L"C:\\tool.exe");
  OpenWindow();
  const Tree start = AppPaths();
  SelectRow(L"Tool.exe");
  Text2().SetText(L"C:\\neu.exe");
  Run(Command::Speichern);
  PutRawValue(L"TOOL.EXE", L"Fremd", REG_SZ, L"y", 4);
  const Tree theirs = AppPaths();

  prompts_.messageAnswers = {IDNO};
  SendCommand(Root::kMnuRückgängig);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text,
            L"Der Eintrag Tool.exe wurde seit dieser Änderung von einem anderen Programm "
            L"geändert.  \nSoll die Änderung trotzdem rückgängig gemacht werden ? Was das andere "
            L"Programm geschrieben hat, geht dann verloren.  ");
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(AppPaths(), theirs);
  EXPECT_TRUE(FirstMenuItem().enabled) << "No keeps the way back";

  prompts_.messageAnswers = {IDYES};
  SendCommand(Root::kMnuRückgängig);
  EXPECT_EQ(AppPaths(), start);
}

// The journal is in its file: a window opened after the first was closed takes the change back.
TEST_F(UndoChangeTest, AnUndoWorksInTheNextWindow) {
  PutRegistration(L"TOOL.EXE", L"C:\\tool.exe", L"C:\\T;");
  OpenWindow();
  const Tree before = AppPaths();
  SelectRow(L"Tool.exe");
  prompts_.messageAnswers = {IDYES, IDOK};
  Run(Command::Löschen);
  root_.reset();

  OpenWindow();
  EXPECT_EQ(FirstMenuItem().text, L"Rückgängig: Löschen Tool.exe\tStrg+Z");
  EXPECT_TRUE(PressStrgZ());
  EXPECT_EQ(AppPaths(), before);
  EXPECT_EQ(RowOf(L"Tool.exe"), 0);
}

// With nothing to take back the item is disabled and Strg+Z does nothing; below a machine key
// that has become read-only the undo refuses, as the commands do, and changes nothing.
TEST_F(UndoChangeTest, NothingToTakeBackOrNoRightToWriteChangesNothing) {
  PutRegistration(L"TOOL.EXE", L"C:\\tool.exe");
  OpenWindow();
  EXPECT_EQ(FirstMenuItem().text, L"Rückgängig\tStrg+Z");
  EXPECT_FALSE(g_shown.enabled);
  EXPECT_TRUE(PressStrgZ());
  EXPECT_TRUE(prompts_.messages.empty());
  SelectRow(L"Tool.exe");
  prompts_.messageAnswers = {IDYES, IDOK};
  Run(Command::Löschen);
  root_.reset();
  Deny(L"", KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
  OpenWindow();
  const Tree now = AppPaths();
  prompts_.messages.clear();

  EXPECT_TRUE(PressStrgZ());

  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text,
            L"Die Änderung kann nicht rückgängig gemacht werden: Für Computer-Einträge fehlen die "
            L"Schreibrechte.  ");
  EXPECT_EQ(AppPaths(), now);
}

}  // namespace
