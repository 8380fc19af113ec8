// Another program changes the App Paths keys while the window is open: the list follows without
// a restart, keeps its selection and the panel's unsaved texts, and a save over such a change
// asks first.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "commands/Commands.h"
#include "platform/Registry.h"
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

  // Lets the window's messages run until `done` or `ms` milliseconds have passed.
  template <typename Done>
  static bool PumpUntil(Done done, ULONGLONG ms = 2000) {
    for (const ULONGLONG end = GetTickCount64() + ms; GetTickCount64() < end; Sleep(10)) {
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

// The watch keeps going by itself: a second change arrives as the first did, and so does one
// made after an installer deleted the whole key and created it again.
TEST_F(OutsideChangesTest, EveryChangeArrivesAlsoAfterTheKeyWasCreatedAgain) {
  PutRegistration(L"FIRST.EXE", program_.c_str());
  ASSERT_TRUE(PumpUntil([&] { return RowOf(L"First.exe") >= 0; })) << "the first change";
  PutRegistration(L"SECOND.EXE", program_.c_str());
  ASSERT_TRUE(PumpUntil([&] { return RowOf(L"Second.exe") >= 0; })) << "the second change";

  RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"").c_str());
  PutRegistration(L"THIRD.EXE", program_.c_str());
  ASSERT_TRUE(PumpUntil([&] { return RowOf(L"Third.exe") >= 0; }, 5000)) << "the key made anew";
  EXPECT_EQ(RowOf(L"Tool.exe"), -1);
  PutRegistration(L"FOURTH.EXE", program_.c_str());
  EXPECT_TRUE(PumpUntil([&] { return RowOf(L"Fourth.exe") >= 0; })) << "in the new key";
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

  // Yes writes the box the user edited; a multi-string Path written meanwhile stays as it is.
  const wchar_t multi[] = L"C:\\Eins\0C:\\Zwei\0";
  PutRawValue(L"TOOL.EXE", L"Path", REG_MULTI_SZ, multi, sizeof(multi));
  const auto written = StoredValue(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE"), L"Path");
  Text2().SetText(program_ + L" /ja");
  prompts_.messageAnswers = {IDYES};
  EXPECT_EQ(SaveEntry(*root_), SaveResult::Saved);
  EXPECT_EQ(StoredValue(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE"), L"Path"), written);
  EXPECT_EQ(ReadText(L"TOOL.EXE", L""), program_ + L" /ja");

  RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE").c_str());
  Text3().SetText(L"C:\\Mein;");
  prompts_.messageAnswers = {IDYES};
  EXPECT_EQ(SaveEntry(*root_), SaveResult::Saved);
  EXPECT_EQ(ReadText(L"TOOL.EXE", L""), program_ + L" /ja") << "the unedited box as loaded";
  EXPECT_EQ(ReadText(L"TOOL.EXE", L"Path"), L"C:\\Mein;");
}

// A rename whose old key another program removed asks: No writes nothing, Yes makes the new key
// from the values the panel loaded.
TEST_F(OutsideChangesTest, RenameOfARemovedKeyAsks) {
  const auto loaded = Registry::ReadValues(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE"));
  for (const int answer : {IDNO, IDYES}) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE").c_str());
    prompts_.messages.clear();
    prompts_.renameAnswers = {L"Neu.exe"};
    prompts_.messageAnswers = {answer};
    RenameEntry(*root_);
    EXPECT_EQ(prompts_.messages.at(0).text, Texts::kRenameOldKeyGoneQuestion);
    EXPECT_EQ(Registry::ReadValues(HKEY_LOCAL_MACHINE, KeyPath(L"NEU.EXE")),
              answer == IDYES ? loaded : std::nullopt);
    EXPECT_EQ(RowOf(L"Tool.exe"), -1);
    EXPECT_EQ(RowOf(L"Neu.exe") >= 0, answer == IDYES);
    PutRegistration(L"TOOL.EXE", program_.c_str(), L"C:\\Alt;");
    OpenWindow();
    SelectRow(L"Tool.exe");
  }
}

using StartupScanTest = RootFixture;

// Another program's change noticed while the start-up's scan still reads is not lost: the
// keys are read again once the scan is done.
TEST_F(StartupScanTest, AChangeDuringTheStartupScanIsShownWhenTheScanEnds) {
  const std::wstring tool = MakeFile(L"tool.exe");
  PutRegistration(L"FIRST.EXE", tool.c_str());
  ASSERT_TRUE(Create(false));
  // Handles only `message` (and whatever it must wait for) as soon as it comes.
  const auto handle = [&](UINT message, WPARAM which) {
    MSG m{};
    for (int i = 0; i < 500; ++i, Sleep(10))
      if (PeekMessageW(&m, root_->Handle(), message, message, PM_REMOVE)) {
        DispatchMessageW(&m);
        if (m.wParam == which) return true;
      }
    return false;
  };
  root_->ReadCatalogue();
  MSG scanned{};  // read, not yet shown
  for (int i = 0; i < 500 && !PeekMessageW(&scanned, root_->Handle(), Root::kScanFinishedMessage,
                                           Root::kScanFinishedMessage, PM_NOREMOVE); ++i)
    Sleep(10);
  PutRegistration(L"LATER.EXE", tool.c_str());
  ASSERT_TRUE(handle(Root::kRegistryChangedMessage, 0));
  ASSERT_TRUE(handle(WM_TIMER, Root::kRefreshTimer)) << "the refresh comes due before the scan shows";
  ASSERT_TRUE(Settle());
  EXPECT_GE(RowOf(L"Later.exe"), 0);
}

}  // namespace
