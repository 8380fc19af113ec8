// The program's own wiring: menu items and the OK button reach the commands.
#include <windows.h>
#include <gtest/gtest.h>

#include "commands/Commands.h"
#include "support/RootFixture.h"

namespace {

// The window as the program wires it, the first row shown in the panel.
class MenuWiringTest : public RootFixture {
 protected:
  void WindowOpened() override {
    InstallCommands(*root_);
    ASSERT_TRUE(root_->EntryList().LstFileList().Select(0));
    root_->LoadSelectedRow();
  }
};

TEST_F(MenuWiringTest, HinzufügenAddsThePlaceholderRow) {
  PutRegistration(L"A.EXE", L"C:\\windows\\notepad.exe");
  OpenWindow();
  SendCommand(Root::kMnuHinzufügen);
  EXPECT_EQ(root_->EntryList().LstFileList().Count(), 2);
  EXPECT_EQ(Text1().Text(), L"Neuer Eintrag");
  EXPECT_FALSE(Text1().Locked());
}

TEST_F(MenuWiringTest, LöschenAsksBeforeDeleting) {
  PutRegistration(L"WINWORD.EXE", L"C:\\windows\\notepad.exe");
  OpenWindow();
  prompts_.messageAnswers = {IDNO};
  SendCommand(Root::kMnuLöschen);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, L"Möchten Sie die Path-Verknüpfung für Winword wirklich löschen ?  ");
  EXPECT_TRUE(RegistrationExists(L"WINWORD.EXE"));
}

TEST_F(MenuWiringTest, TheOkButtonSaves) {
  PutRegistration(L"A.EXE", L"C:\\windows\\notepad.exe");
  OpenWindow();
  Text2().SetText(L"C:\\windows\\regedit.exe");
  SendCommand(Root::kBHinzufügen);
  EXPECT_EQ(ReadText(L"A.EXE", L""), L"C:\\windows\\regedit.exe");
}

}  // namespace

namespace {

// Keys released over the list while a command waits (the Enter that closed its dialog, a Home
// pressed meanwhile) must neither move the selection nor reload the panel under the command.
TEST_F(MenuWiringTest, InputToTheListWaitsUntilTheCommandEnds) {
  PutRegistration(L"A.EXE", L"C:\\windows\\notepad.exe");
  PutRegistration(L"B.EXE", L"C:\\windows\\regedit.exe");
  PutRegistration(L"C.EXE", L"C:\\windows\\notepad.exe");
  OpenWindow();
  ListView& list = root_->EntryList().LstFileList();
  ASSERT_TRUE(list.Select(2));
  root_->LoadSelectedRow();
  prompts_.messageAnswers = {IDYES, IDOK};
  prompts_.whileAsking = [&] {
    PostMessageW(list.Handle(), WM_KEYDOWN, VK_HOME, 0x00470001);
    PostMessageW(list.Handle(), WM_KEYUP, VK_HOME, 0xC0470001);
  };
  SendCommand(Root::kMnuLöschen);
  EXPECT_FALSE(RegistrationExists(L"C.EXE"));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Text(0), L"A.exe") << "the row of the deleted key must be the one removed";
  EXPECT_EQ(list.Text(1), L"B.exe");
}

}  // namespace
