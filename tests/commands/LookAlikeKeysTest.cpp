// Commands act on the key of the row's own entry: a key whose name differs from another only by
// a control character, or whose values hold tabs, never makes a command touch another key.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "commands/Commands.h"
#include "platform/Registry.h"
#include "support/RootFixture.h"
#include "texts/Texts.h"

namespace {

const wchar_t kOdd[] = L"VICTIM.EXE\tX";
const wchar_t kOddRow[] = L"Victim.exe\u2409x";  // the tab as its picture

class LookAlikeKeysTest : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    PutRegistration(L"VICTIM.EXE", L"C:\\victim.exe", L"C:\\Victim;");
    PutRawValue(L"VICTIM.EXE\\Sub", L"Inner", REG_SZ, L"y", 4);
    PutRegistration(kOdd, L"C:\\T\\app.exe\t/flag", L"C:\\Dir\t;");
    victim_ = *Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L"VICTIM.EXE"));
    odd_ = *Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(kOdd));
    OpenWindow();
    SelectRow(kOddRow);
  }

  void ExpectVictimUntouched() {
    EXPECT_EQ(Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L"VICTIM.EXE")), victim_);
    EXPECT_GE(RowOf(L"Victim.exe"), 0);
  }

  Registry::KeyTree victim_;
  Registry::KeyTree odd_;
};

TEST_F(LookAlikeKeysTest, SaveWritesOnlyTheOddKeyAndKeepsItsTabs) {
  ASSERT_EQ(SaveEntry(*root_), SaveResult::Saved);
  ExpectVictimUntouched();
  EXPECT_EQ(Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(kOdd)), odd_);
}

TEST_F(LookAlikeKeysTest, DeleteRemovesOnlyTheOddKey) {
  prompts_.messageAnswers = {IDYES};
  DeleteEntry(*root_);
  ExpectVictimUntouched();
  EXPECT_FALSE(RegistrationExists(kOdd));
  EXPECT_EQ(RowOf(kOddRow), -1);
  EXPECT_EQ(WindowText(root_->LabFileError()), L" 1 fehlerhafter Eintrag");
}

TEST_F(LookAlikeKeysTest, RenameCarriesTheOddKeyWholeAndRemovesOnlyIt) {
  prompts_.renameAnswers.push_back(L"Renamed.exe");
  RenameEntry(*root_);
  ExpectVictimUntouched();
  EXPECT_FALSE(RegistrationExists(kOdd));
  Registry::KeyTree renamed = *Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L"RENAMED.EXE"));
  renamed.name = odd_.name;
  EXPECT_EQ(renamed, odd_) << "identical apart from its name";
  EXPECT_EQ(SelectedText(), L"Renamed.exe");
}

TEST_F(LookAlikeKeysTest, ExportNeverWritesTheOtherKey) {
  const std::filesystem::path target = folder_ / L"odd.reg";
  prompts_.saveAnswers.push_back(target.wstring());
  ExportEntry(*root_);
  ExpectVictimUntouched();
  if (!std::filesystem::exists(target)) return;  // the registry editor may refuse the name
  std::ifstream in(target, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string victimPath = "C\0:\0\\\0\\\0v\0i\0c\0t\0i\0m\0";
  EXPECT_EQ(bytes.find(std::string(victimPath.data(), 20)), std::string::npos);
}

// Rename refuses the installer names as delete does; a typed name with a control character is
// refused like a backslash.
TEST_F(LookAlikeKeysTest, ProtectedAndControlCharacterNamesAreRefused) {
  PutRegistration(L"SETUP.EXE", L"C:\\setup.exe");
  OpenWindow();
  SelectRow(L"Setup.exe");
  prompts_.renameAnswers.push_back(L"Other.exe");
  RenameEntry(*root_);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, Texts::kRenameRefused);
  EXPECT_TRUE(RegistrationExists(L"SETUP.EXE"));
  EXPECT_FALSE(RegistrationExists(L"OTHER.EXE"));

  SelectRow(L"Victim.exe");
  prompts_.renameAnswers = {L"Victim.exe\tX2"};
  prompts_.messages.clear();
  RenameEntry(*root_);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, Texts::kKeyNameControl);
  ExpectVictimUntouched();
}

// Yes to overwriting makes the existing key the renamed one, whole: nothing of the old
// target is mixed into it.
TEST_F(LookAlikeKeysTest, RenameOntoAnExistingKeyReplacesItWhole) {
  PutRegistration(L"TARGET.EXE", L"C:\\target.exe", L"C:\\Target;");
  PutRawValue(L"TARGET.EXE\\A", L"Inner", REG_SZ, L"a", 4);
  OpenWindow();
  SelectRow(L"Victim.exe");
  prompts_.renameAnswers.push_back(L"Target.exe");
  prompts_.messageAnswers = {IDYES};

  RenameEntry(*root_);

  Registry::KeyTree target = *Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L"TARGET.EXE"));
  target.name = victim_.name;
  EXPECT_EQ(target, victim_);
  EXPECT_FALSE(RegistrationExists(L"VICTIM.EXE"));
  EXPECT_EQ(RowOf(L"Victim.exe"), -1);
}

// The Win32 calls end a name at a NUL (only the native calls make one): the row shows it and
// its own value, Delete removes exactly that key, every other command refuses it.
TEST_F(LookAlikeKeysTest, ANulNamedKeyIsDeletedByItsCountedNameAndOtherwiseRefused) {
  const std::wstring nul(L"VICTIM.EXE\0X", 12);
  PutCountedRegistration(nul, L"C:\\odd.exe");
  PutCountedRegistration(nul + L"\\" + nul, L"C:\\inner.exe");
  const auto before = Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L""));
  OpenWindow();
  SelectRow(L"Victim.exe\u2400x");
  EXPECT_EQ(Text2().Text(), L"C:\\odd.exe");
  Text2().SetText(L"C:\\neu.exe");
  prompts_.renameAnswers = {L"Renamed.exe"};
  for (void (*command)(CommandHost&) :
       {+[](CommandHost& host) { SaveEntry(host); }, &RenameEntry, &RunApplication, &ExportEntry}) {
    prompts_.messages.clear();
    command(*root_);
    EXPECT_EQ(prompts_.messages.at(0).text, Texts::kNulNameRefused);
  }
  EXPECT_EQ(Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L"")), before);
  prompts_.messageAnswers = {IDYES};
  DeleteEntry(*root_);
  EXPECT_EQ(SubKeys(KeyPath(L"")), (std::vector<std::wstring>{L"VICTIM.EXE", kOdd}));
  EXPECT_EQ(RowOf(L"Victim.exe\u2400x"), -1);
  ExpectVictimUntouched();
}

}  // namespace
