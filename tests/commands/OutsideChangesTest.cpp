// Another program changes the App Paths keys while the window is open: the list follows without
// a restart, keeps its selection and the panel's unsaved texts, and a save over such a change
// asks first.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "commands/Commands.h"
#include "support/RootFixture.h"
#include "texts/Texts.h"

namespace {

class OutsideChangesTest : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    program_ = MakeFile(L"tool.exe");
    PutRegistration(L"TOOL.EXE", program_.c_str(), L"C:\\Alt;");
    PutRegistration(L"OTHER.EXE", program_.c_str());
    OpenWindow();
    SelectRow(L"Tool.exe");
  }

  // Lets the window's messages run until `done` or two seconds have passed.
  template <typename Done>
  static bool PumpUntil(Done done) {
    for (const ULONGLONG end = GetTickCount64() + 2000; GetTickCount64() < end; Sleep(10)) {
      MSG message{};
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      if (done()) return true;
    }
    return false;
  }

  std::wstring program_;
};

TEST_F(OutsideChangesTest, ChangesAppearWithoutARestartAndKeepSelectionAndEdits) {
  Text3().SetText(L"C:\\Getippt;");  // being edited, not saved
  PutRegistration(L"NEW.EXE", program_.c_str());
  PutRegistration(L"TOOL.EXE", program_.c_str(), L"C:\\Draussen;");
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"OTHER.EXE").c_str());

  ASSERT_TRUE(PumpUntil([&] { return RowOf(L"New.exe") >= 0; })) << "the new key never showed";
  EXPECT_EQ(RowOf(L"Other.exe"), -1);
  EXPECT_EQ(SelectedText(), L"Tool.exe");
  EXPECT_EQ(List().Text(RowOf(L"Tool.exe"), EntryListView::kColumnDirectory), L"C:\\Draussen;");
  EXPECT_EQ(Text3().Text(), L"C:\\Getippt;");

  // F5 reads again (on a worker thread); with nothing typed the panel shows the key as it is now.
  root_->LoadSelectedRow();
  PutRegistration(L"TOOL.EXE", program_.c_str(), L"C:\\Wieder;");
  SendMessageW(root_->Handle(), WM_COMMAND, Root::kMnuAktualisieren, 0);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(Text3().Text(), L"C:\\Wieder;");
}

TEST_F(OutsideChangesTest, SaveOverAnOutsideChangeAsksFirst) {
  PutRegistration(L"TOOL.EXE", program_.c_str(), L"C:\\Draussen;");
  Text2().SetText(program_ + L" /neu");

  prompts_.messageAnswers = {IDNO};
  EXPECT_NE(SaveEntry(*root_), SaveResult::Saved);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, Texts::kChangedMeanwhileQuestion);
  EXPECT_EQ(ReadText(L"TOOL.EXE", L""), program_);
  EXPECT_EQ(Text3().Text(), L"C:\\Draussen;") << "No shows the key as it is now";

  Text2().SetText(program_ + L" /neu");
  EXPECT_EQ(SaveEntry(*root_), SaveResult::Saved) << "nothing changed since the reload";
  EXPECT_EQ(ReadText(L"TOOL.EXE", L""), program_ + L" /neu");

  RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE").c_str());
  Text3().SetText(L"C:\\Mein;");
  prompts_.messageAnswers = {IDYES};
  EXPECT_EQ(SaveEntry(*root_), SaveResult::Saved);
  EXPECT_EQ(ReadText(L"TOOL.EXE", L""), program_ + L" /neu") << "Yes writes the panel whole";
  EXPECT_EQ(ReadText(L"TOOL.EXE", L"Path"), L"C:\\Mein;");
}

}  // namespace
