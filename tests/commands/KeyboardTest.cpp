// The window's keys through the program's own message loop: access keys, Tab, Enter for OK,
// Escape, and the menu's shortcuts, with the commands the program wires to them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "commands/Commands.h"
#include "commands/KeyNames.h"
#include "support/RootFixture.h"
#include "ui/Texts.h"

namespace {

class KeyboardTest : public RootFixture {
 protected:
  void WindowOpened() override { InstallCommands(*root_); }

  // Two registrations of programs that exist; Tool.exe's default value is REG_EXPAND_SZ.
  void PutTwoPrograms() {
    tool_ = MakeFile(L"tool.exe");
    PutRegistration(L"ALPHA.EXE", MakeFile(L"alpha.exe").c_str(), L"C:\\Alpha;");
    SetEnvironmentVariableW(L"VELMARIN_TEST_TOOLS", Folder().c_str());
    const std::wstring expand = L"%VELMARIN_TEST_TOOLS%\\tool.exe";
    PutRawValue(L"TOOL.EXE", L"", REG_EXPAND_SZ, expand.c_str(),
                static_cast<DWORD>((expand.size() + 1) * sizeof(wchar_t)));
    OpenWindow();
  }

  HWND ListHandle() { return root_->LstFileList().Handle(); }
  HWND Focus() { return GetFocus(); }
  void Alt(wchar_t letter) {
    PostMessageW(GetFocus(), WM_SYSCHAR, letter, 0x20000001);
    PumpAsTheProgram();
  }
  // The timer's tick once the tests of the panel's program have answered.
  void Tick() {
    Settle();
    SendMessageW(root_->Handle(), WM_TIMER, Root::kTimer1, 0);
    Settle();
    SendMessageW(root_->Handle(), WM_TIMER, Root::kTimer1, 0);
  }
  DWORD SelectionEnd(HWND box) {
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == 0 ? end : 0;
  }

  std::wstring tool_;
};

// A label's access key leads to the box after it, with its text selected; Tab goes on in order.
TEST_F(KeyboardTest, AccessKeysAndTabMoveBetweenTheBoxes) {
  PutTwoPrograms();
  SelectRow(L"Alpha.exe");
  SetFocus(ListHandle());
  Alt(L'v');
  EXPECT_EQ(Focus(), root_->Text3().Handle());
  EXPECT_EQ(SelectionEnd(root_->Text3().Handle()), 9u);  // C:\Alpha;
  Alt(L'I');
  EXPECT_EQ(Focus(), root_->Text2().Handle());
  Alt(L'd');
  EXPECT_EQ(Focus(), root_->Text1().Handle());
  PressKey(Focus(), VK_TAB);
  EXPECT_EQ(Focus(), root_->Text2().Handle());
  PressKey(Focus(), VK_TAB);
  EXPECT_EQ(Focus(), root_->BDateiname().Handle());
}

// Only the directory changes, so only "Path" is written: the default value keeps its type and
// bytes. Enter in a box presses OK, and only while OK is enabled.
TEST_F(KeyboardTest, EnterInABoxSavesThePathEditedAlone) {
  PutTwoPrograms();
  SelectRow(L"Tool.exe");
  const auto before = StoredValue(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE"), L"");
  ASSERT_TRUE(before);
  EXPECT_FALSE(root_->Text3().Locked()) << "the directory takes typing without the installation";
  root_->Text3().SetText(L"C:\\Neu;");
  Tick();
  ASSERT_TRUE(Enabled(root_->BHinzufügen()));
  SetFocus(root_->Text3().Handle());
  PressKey(root_->Text3().Handle(), VK_RETURN);
  EXPECT_EQ(ReadText(L"TOOL.EXE", L"Path"), L"C:\\Neu;");
  EXPECT_EQ(StoredValue(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE"), L""), before);

  // A program that is not there disables OK; Enter then saves nothing.
  SelectRow(L"Alpha.exe");
  root_->Text2().SetText(L"C:\\nowhere\\gone.exe");
  Tick();
  ASSERT_FALSE(Enabled(root_->BHinzufügen()));
  SetFocus(root_->Text2().Handle());
  PressKey(root_->Text2().Handle(), VK_RETURN);
  EXPECT_NE(ReadText(L"ALPHA.EXE", L""), L"C:\\nowhere\\gone.exe");
}

// Entf in the list is "Löschen", in a box it deletes a character; F2 is "Umbenennen".
TEST_F(KeyboardTest, EntfAndF2StartTheirCommandsFromTheList) {
  PutTwoPrograms();
  SelectRow(L"Alpha.exe");
  SetFocus(ListHandle());
  prompts_.messageAnswers = {IDNO};
  PressKey(ListHandle(), VK_DELETE);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, DeleteQuestion(L"Alpha.exe"));
  EXPECT_TRUE(RegistrationExists(L"ALPHA.EXE"));

  const HWND box = root_->Text3().Handle();
  SetFocus(box);
  SendMessageW(box, EM_SETSEL, 0, 0);
  PressKey(box, VK_DELETE);
  EXPECT_EQ(root_->Text3().Text(), L":\\Alpha;");
  EXPECT_EQ(prompts_.messages.size(), 1u);

  root_->Text3().SetText(L"C:\\Alpha;");
  SetFocus(ListHandle());
  PressKey(ListHandle(), VK_F2);
  ASSERT_EQ(prompts_.renameProposals.size(), 1u);
  EXPECT_EQ(prompts_.renameProposals[0], L"Alpha.exe");
}

// What the menu greys out no key starts: nothing on no row, no deletion of a protected name.
TEST_F(KeyboardTest, ShortcutsOfGreyedItemsDoNothing) {
  PutRegistration(L"SETUP.EXE", L"C:\\setup.exe");
  OpenWindow();
  ASSERT_TRUE(root_->LstFileList().Select(-1));
  SetFocus(ListHandle());
  PressKey(ListHandle(), 'E', true);
  PressKey(ListHandle(), VK_RETURN, true);
  PressKey(ListHandle(), VK_DELETE);
  EXPECT_TRUE(prompts_.saveRequests.empty());
  EXPECT_TRUE(prompts_.messages.empty());

  SelectRow(L"Setup.exe");
  PressKey(ListHandle(), VK_DELETE);
  PressKey(ListHandle(), VK_F2);
  EXPECT_TRUE(prompts_.messages.empty()) << "no refusal: the command never started";
  EXPECT_TRUE(prompts_.renameProposals.empty());
  EXPECT_TRUE(RegistrationExists(L"SETUP.EXE"));
}

// Leaving a row with typed texts: Ja saves them, Nein drops them, Abbrechen stays on the row.
TEST_F(KeyboardTest, LeavingAnEditedRowAsksWhetherToSave) {
  PutTwoPrograms();
  ListView& list = root_->LstFileList();
  const auto edit = [&] {
    SelectRow(L"Alpha.exe");
    root_->Text3().SetText(L"C:\\Typed;");
    ASSERT_TRUE(list.Select(RowOf(L"Tool.exe")));  // as a click or an arrow key selects it
    PumpAsTheProgram();
  };

  prompts_.messageAnswers = {IDCANCEL};
  edit();
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"Änderungen an Alpha.exe speichern?");
  EXPECT_EQ(prompts_.messages[0].title, L" Velmarin");
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(SelectedText(), L"Alpha.exe");
  EXPECT_EQ(root_->Text3().Text(), L"C:\\Typed;");

  prompts_.messageAnswers = {IDNO};
  edit();
  EXPECT_EQ(SelectedText(), L"Tool.exe");
  EXPECT_EQ(root_->Text1().Text(), L"Tool.exe");
  EXPECT_EQ(ReadText(L"ALPHA.EXE", L"Path"), L"C:\\Alpha;");

  prompts_.messageAnswers = {IDYES};
  edit();
  EXPECT_EQ(ReadText(L"ALPHA.EXE", L"Path"), L"C:\\Typed;");
  EXPECT_EQ(SelectedText(), L"Tool.exe");
  EXPECT_EQ(root_->Text1().Text(), L"Tool.exe");
  EXPECT_EQ(prompts_.messages.size(), 3u);
}

// Closing with typed texts asks the same; Abbrechen keeps the window open.
TEST_F(KeyboardTest, ClosingWithTypedTextsAsksFirst) {
  PutTwoPrograms();
  SelectRow(L"Alpha.exe");
  root_->Text2().SetText(tool_);
  prompts_.messageAnswers = {IDCANCEL, IDNO};
  SendMessageW(root_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_NE(root_->Handle(), nullptr);
  SendMessageW(root_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(root_->Handle(), nullptr);
  EXPECT_EQ(prompts_.messages.size(), 2u);
  EXPECT_NE(ReadText(L"ALPHA.EXE", L""), tool_);
}

// A new entry nobody typed into has no registration: F5 and Escape take its row away; typed
// texts stay across F5 as they always did.
TEST_F(KeyboardTest, AnAbandonedNewEntryGoesOnF5AndEscape) {
  PutTwoPrograms();
  SelectRow(L"Alpha.exe");
  SetFocus(ListHandle());
  PressKey(ListHandle(), 'N', true);
  ASSERT_EQ(root_->LstFileList().Count(), 3);
  ASSERT_EQ(root_->Text1().Text(), Texts::kNewEntry);
  PressKey(root_->Text1().Handle(), VK_F5);
  EXPECT_EQ(RowOf(Texts::kNewEntry), -1);
  EXPECT_EQ(root_->LstFileList().Count(), 2);
  EXPECT_NE(root_->Text1().Text(), Texts::kNewEntry);

  PressKey(ListHandle(), 'N', true);
  ASSERT_EQ(GetFocus(), root_->Text1().Handle());
  PressKey(root_->Text1().Handle(), VK_ESCAPE);
  EXPECT_EQ(RowOf(Texts::kNewEntry), -1);
  EXPECT_EQ(GetFocus(), ListHandle());

  PressKey(ListHandle(), 'N', true);
  root_->Text1().SetText(L"Typed.exe");
  PressKey(root_->Text1().Handle(), VK_F5);
  EXPECT_GE(RowOf(Texts::kNewEntry), 0);
  EXPECT_EQ(root_->Text1().Text(), L"Typed.exe");
  EXPECT_TRUE(prompts_.messages.empty());
}

}  // namespace
