// The window's keys through the program's own message loop, with the commands it wires to them.
#include <windows.h>

#include <gtest/gtest.h>

#include "commands/Commands.h"
#include "commands/KeyNames.h"
#include "support/RootFixture.h"
#include "texts/Texts.h"

namespace {

// Alpha.exe, and Tool.exe whose default value is a REG_EXPAND_SZ naming an existing program.
class KeyboardTest : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    PutRegistration(L"SETUP.EXE", L"C:\\setup.exe");
    PutRegistration(L"ALPHA.EXE", MakeFile(L"alpha.exe").c_str(), L"C:\\Alpha;");
    MakeFile(L"tool.exe");
    SetEnvironmentVariableW(L"VELMARIN_TEST_TOOLS", Folder().c_str());
    const wchar_t expand[] = L"%VELMARIN_TEST_TOOLS%\\tool.exe";
    PutRawValue(L"TOOL.EXE", L"", REG_EXPAND_SZ, expand, sizeof(expand));
    OpenWindow();
  }
  void WindowOpened() override { InstallCommands(*root_); }
  HWND ListHandle() { return List().Handle(); }
};

// Alt+V leads to "Verzeichnis"; only the directory changes, Enter presses OK, and only "Path" is
// written: the default value keeps its type and bytes.
TEST_F(KeyboardTest, AltVAndEnterSaveThePathEditedAlone) {
  SelectRow(L"Tool.exe");
  const auto before = StoredValue(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE"), L"");
  SetFocus(ListHandle());
  PostMessageW(ListHandle(), WM_SYSCHAR, L'v', 0x20000001);
  PumpAsTheProgram();
  ASSERT_EQ(GetFocus(), Text3().Handle());
  Text3().SetText(L"C:\\Neu;");
  for (int tick = 0; tick < 2 && Settle(); ++tick)
    SendMessageW(root_->Handle(), WM_TIMER, Root::kTimer1, 0);
  PressKey(GetFocus(), VK_RETURN);
  EXPECT_EQ(ReadText(L"TOOL.EXE", L"Path"), L"C:\\Neu;");
  EXPECT_EQ(StoredValue(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE"), L""), before);
}

// Entf in the list is "Löschen", in a box it deletes a character; F2 is "Umbenennen"; on a
// protected name, whose items the menu greys, neither starts.
TEST_F(KeyboardTest, EntfAndF2StartTheirCommandsWhereTheyCanWork) {
  SelectRow(L"Setup.exe");
  SetFocus(ListHandle());
  PressKey(ListHandle(), VK_DELETE);
  PressKey(ListHandle(), VK_F2);
  EXPECT_TRUE(prompts_.messages.empty() && prompts_.renameProposals.empty());
  SelectRow(L"Alpha.exe");
  prompts_.messageAnswers = {IDNO};
  PressKey(ListHandle(), VK_DELETE);
  EXPECT_EQ(prompts_.messages.at(0).text, DeleteQuestion(L"Alpha.exe"));
  SetFocus(Text3().Handle());
  PressKey(Text3().Handle(), VK_DELETE);
  EXPECT_EQ(Text3().Text() + std::to_wstring(prompts_.messages.size()), L":\\Alpha;1");
  PressKey(ListHandle(), VK_F2);
  EXPECT_EQ(prompts_.renameProposals, std::vector<std::wstring>{L"Alpha.exe"});
}

// Leaving a row with typed texts: Abbrechen stays on the row, Nein drops them, Ja saves them.
// Closing the window asks the same.
TEST_F(KeyboardTest, LeavingAnEditedRowAsksWhetherToSave) {
  const auto leave = [&](int answer) {
    SelectRow(L"Alpha.exe");
    Text3().SetText(L"C:\\Typed;");
    prompts_.messageAnswers = {answer};
    List().Select(RowOf(L"Tool.exe"));  // as a click selects it
    PumpAsTheProgram();
    return SelectedText() + L"|" + Text1().Text() + L"|" + *ReadText(L"ALPHA.EXE", L"Path");
  };
  EXPECT_EQ(leave(IDCANCEL), L"Alpha.exe|Alpha.exe|C:\\Alpha;");
  EXPECT_EQ(Text3().Text(), L"C:\\Typed;");
  EXPECT_EQ(prompts_.messages.at(0).text, L"Änderungen an Alpha.exe speichern?");
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(leave(IDNO), L"Tool.exe|Tool.exe|C:\\Alpha;");
  EXPECT_EQ(leave(IDYES), L"Tool.exe|Tool.exe|C:\\Typed;");
  Text3().SetText(L"C:\\Again;");
  prompts_.messageAnswers = {IDCANCEL};
  SendMessageW(root_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(prompts_.messages.size(), 4u);
  EXPECT_NE(root_->Handle(), nullptr);
}

// A new entry nobody typed into goes with F5 and with Escape; typed texts stay across F5.
TEST_F(KeyboardTest, AnAbandonedNewEntryGoesOnF5AndEscape) {
  SelectRow(L"Alpha.exe");
  SendCommand(Root::kMnuHinzufügen);
  ASSERT_GE(RowOf(Texts::kNewEntry), 0);
  PressKey(Text1().Handle(), VK_F5);
  EXPECT_EQ(List().Count(), 3);
  SendCommand(Root::kMnuHinzufügen);
  PressKey(Text1().Handle(), VK_ESCAPE);
  EXPECT_EQ(RowOf(Texts::kNewEntry), -1);
  SendCommand(Root::kMnuHinzufügen);
  Text1().SetText(L"Typed.exe");
  PressKey(Text1().Handle(), VK_F5);
  EXPECT_EQ(Text1().Text() + List().Text(RowOf(Texts::kNewEntry)),
            L"Typed.exeNeuer Eintrag");
}

}  // namespace
