// The user's own registrations beside the machine's: every command acts in the row's own key,
// a machine row the user's hides says so, and a machine key that may not be written makes its
// rows read-only.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "commands/Commands.h"
#include "platform/Registry.h"
#include "support/RootFixture.h"
#include "texts/Texts.h"

namespace {

class ScopesTest : public RootFixture {
 protected:
  // TOOL.EXE for the machine and for the user; OWN.EXE for the user only.
  void PutBothScopes() {
    program_ = MakeFile(L"tool.exe");
    PutRegistration(L"TOOL.EXE", program_.c_str(), L"C:\\Machine;");
    PutUserRegistration(L"TOOL.EXE", program_.c_str(), L"C:\\User;");
    PutUserRegistration(L"OWN.EXE", program_.c_str());
    OpenWindow();
  }

  // The row of that file name and scope.
  int RowIn(const std::wstring& name, const wchar_t* scope) {
    for (int row = 0; row < List().Count(); ++row)
      if (List().Text(row) == name && List().Text(row, EntryListView::kColumnScope) == scope) return row;
    return -1;
  }

  void Load(int row) {
    ASSERT_TRUE(List().Select(row));
    root_->LoadSelectedRow();
  }

  static std::wstring UserText(const std::wstring& key, const wchar_t* value) {
    const auto raw = StoredValue(HKEY_CURRENT_USER, KeyPath(key), value);
    return raw ? Registry::TextOfRaw(*raw).value_or(L"") : L"<none>";
  }

  std::wstring program_;
};

TEST_F(ScopesTest, UserRowsAreListedAndHideTheMachinesRowOfTheSameName) {
  PutBothScopes();
  ASSERT_EQ(List().Count(), 3);
  const int machine = RowIn(L"Tool.exe", Texts::kScopeMachine);
  const int user = RowIn(L"Tool.exe", Texts::kScopeUser);
  ASSERT_GE(machine, 0);
  ASSERT_GE(user, 0);
  EXPECT_EQ(ImageKey(machine), L"Hilfe");
  EXPECT_EQ(ImageKey(user), L"Ready");
  EXPECT_EQ(WindowText(root_->LabFileError()), Texts::kNoBrokenEntries);

  // The user's row goes: the machine's is what Windows reads again.
  Load(user);
  prompts_.messageAnswers = {IDYES};
  DeleteEntry(*root_);
  EXPECT_FALSE(UserRegistrationExists(L"TOOL.EXE"));
  EXPECT_TRUE(RegistrationExists(L"TOOL.EXE"));
  EXPECT_EQ(ImageKey(RowIn(L"Tool.exe", Texts::kScopeMachine)), L"Ready");
}

// Save, rename and export of a user row act in the user's key; the machine's stays as it was.
TEST_F(ScopesTest, CommandsActInTheRowsOwnKey) {
  PutBothScopes();
  const auto machineBefore = Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L""));
  Load(RowIn(L"Tool.exe", Texts::kScopeUser));
  Text3().SetText(L"C:\\Neu;");
  ASSERT_EQ(SaveEntry(*root_), SaveResult::Saved);
  EXPECT_EQ(UserText(L"TOOL.EXE", L"Path"), L"C:\\Neu;");

  Load(RowIn(L"Own.exe", Texts::kScopeUser));
  prompts_.renameAnswers.push_back(L"Renamed.exe");
  RenameEntry(*root_);
  EXPECT_TRUE(UserRegistrationExists(L"RENAMED.EXE"));
  EXPECT_FALSE(UserRegistrationExists(L"OWN.EXE"));
  EXPECT_GE(RowIn(L"Renamed.exe", Texts::kScopeUser), 0);

  const std::filesystem::path target = folder_ / L"own.reg";
  prompts_.saveAnswers.push_back(target.wstring());
  ExportEntry(*root_);
  std::ifstream in(target, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  EXPECT_NE(text.find(L"[HKEY_CURRENT_USER\\"), std::wstring::npos);

  EXPECT_EQ(Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L"")), machineBefore);
}

// Without write access to the machine's key the window says so, its rows offer no change, and a
// new entry goes to the user's key.
TEST_F(ScopesTest, UnwritableMachineKeyMakesItsRowsReadOnly) {
  program_ = MakeFile(L"tool.exe");
  PutRegistration(L"TOOL.EXE", program_.c_str());
  Deny(L"", KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
  const auto machineBefore = Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L""));
  OpenWindow();
  EXPECT_EQ(root_->Caption(), std::wstring(Texts::kCaption) + Texts::kReadOnlySuffix);

  SelectRow(L"Tool.exe");
  SendMessageW(root_->Handle(), WM_TIMER, Root::kTimer1, 0);
  EXPECT_FALSE(Enabled(root_->Panel().BHinzufügen()));
  Text2().SetText(program_ + L" /x");
  EXPECT_EQ(SaveEntry(*root_), SaveResult::Refused);
  prompts_.messageAnswers = {IDYES};
  DeleteEntry(*root_);
  EXPECT_TRUE(prompts_.messages.empty());

  NewEntry(*root_);
  EXPECT_EQ(WindowText(root_->Control(Root::kLabScope)), Texts::kScopeUser);
  Text1().SetText(L"Neu.exe");
  Text2().SetText(program_);
  ASSERT_EQ(SaveEntry(*root_), SaveResult::Saved);
  EXPECT_TRUE(UserRegistrationExists(L"NEU.EXE"));
  EXPECT_EQ(Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L"")), machineBefore);
}

}  // namespace
