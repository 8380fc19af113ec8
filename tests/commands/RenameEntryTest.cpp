// mnuUmbenennen on the real window and registry; the rename dialog's answers come by script.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "support/RootFixture.h"
#include "texts/Texts.h"

namespace {

class RenameEntryTest : public RootFixture {
 protected:
  // Tool.exe, selected and loaded into the panel, whose program exists and takes an argument.
  void ShowTool() {
    program_ = MakeFile(L"tool.exe");
    PutRegistration(L"TOOL.EXE", (program_ + L" -x").c_str(), L"C:\\Tools;");
    OpenWindow();
    SelectRow(L"Tool.exe");
  }

  void AnswerRename(std::optional<std::wstring> answer) {
    prompts_.renameAnswers.push_back(std::move(answer));
  }

  std::vector<std::wstring> Registrations() const {
    std::vector<std::wstring> keys = SubKeys(KeyPath(L""));
    std::sort(keys.begin(), keys.end());
    return keys;
  }

  void ExpectOldNameKept() {
    EXPECT_EQ(Text1().Text(), L"Tool.exe");
    EXPECT_TRUE(Text1().Locked());
    EXPECT_EQ(SelectedText(), L"Tool.exe");
  }

  std::wstring program_;
};

TEST_F(RenameEntryTest, EmptyListAsksNothing) {
  OpenWindow();
  AnswerRename(L"Neu.exe");

  RenameEntry(*root_);

  EXPECT_TRUE(prompts_.renameProposals.empty());
  EXPECT_TRUE(Registrations().empty());
}

TEST_F(RenameEntryTest, WithoutASelectedRowNothingIsAskedOrRemoved) {
  ShowTool();
  ASSERT_TRUE(List().Select(-1));
  AnswerRename(L"Neu.exe");

  RenameEntry(*root_);

  EXPECT_TRUE(prompts_.renameProposals.empty());
  EXPECT_EQ(Registrations(), std::vector<std::wstring>{L"TOOL.EXE"});
}

TEST_F(RenameEntryTest, CancelOrCloseKeepsTheOldNameAndTheRegistry) {
  ShowTool();
  const int cacheLines = root_->EntryList().LstFileCache().Count();
  AnswerRename(std::nullopt);

  RenameEntry(*root_);

  ASSERT_EQ(prompts_.renameProposals.size(), 1u);
  EXPECT_EQ(prompts_.renameProposals[0], L"Tool.exe");
  ExpectOldNameKept();
  EXPECT_EQ(Registrations(), std::vector<std::wstring>{L"TOOL.EXE"});
  EXPECT_EQ(root_->EntryList().LstFileCache().Count(), cacheLines);
}

TEST_F(RenameEntryTest, UnchangedNameWritesNothing) {
  ShowTool();
  const int cacheLines = root_->EntryList().LstFileCache().Count();
  Text2().SetText(L"C:\\Edited\\tool.exe");
  AnswerRename(L"Tool.exe");

  RenameEntry(*root_);

  ExpectOldNameKept();
  EXPECT_EQ(ReadText(L"TOOL.EXE", L""), program_ + L" -x");
  EXPECT_EQ(root_->EntryList().LstFileCache().Count(), cacheLines);
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(RenameEntryTest, NewNameTakesEverythingTheRegistrationHeldAndTheOldKeyGoes) {
  ShowTool();
  const DWORD useUrl = 1;
  PutRawValue(L"TOOL.EXE", L"UseUrl", REG_DWORD, &useUrl, sizeof(useUrl));
  PutRegistration(L"TOOL.EXE\\SupportedProtocols", L"http");
  AnswerRename(L"Werkzeug.exe");

  RenameEntry(*root_);

  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(Registrations(), std::vector<std::wstring>{L"WERKZEUG.EXE"});
  EXPECT_EQ(ReadText(L"WERKZEUG.EXE", L""), program_ + L" -x");
  EXPECT_EQ(ReadText(L"WERKZEUG.EXE", L"Path"), L"C:\\Tools;");
  EXPECT_EQ(ReadText(L"WERKZEUG.EXE\\SupportedProtocols", L""), L"http");
  DWORD carried = 0;
  DWORD size = sizeof(carried);
  EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, KeyPath(L"WERKZEUG.EXE").c_str(), L"UseUrl",
                         RRF_RT_REG_DWORD, nullptr, &carried, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(carried, 1u);

  ASSERT_EQ(List().Count(), 1);
  EXPECT_EQ(SelectedText(), L"Werkzeug.exe");
  EXPECT_EQ(List().Text(0, 1), L"WERKZEUG.EXE");
  EXPECT_EQ(ImageKey(0), L"Ready") << "the argument after the program is no missing file";
  EXPECT_EQ(Text1().Text(), L"Werkzeug.exe");
  EXPECT_TRUE(Text1().Locked());
}

TEST_F(RenameEntryTest, RowOfAMissingProgramShowsItsStatus) {
  PutRegistration(L"TOOL.EXE", L"C:\\nowhere\\tool.exe /x");
  OpenWindow();
  SelectRow(L"Tool.exe");
  AnswerRename(L"Neu.exe");

  RenameEntry(*root_);

  EXPECT_EQ(SelectedText(), L"Neu.exe");
  EXPECT_EQ(ImageKey(List().SelectedIndex()), L"Achtung");
}

TEST_F(RenameEntryTest, ExistingNameAnsweredNoKeepsBothRegistrations) {
  ShowTool();
  PutRegistration(L"OTHER.EXE", L"C:\\Other\\other.exe");
  AnswerRename(L"Other.exe");
  prompts_.messageAnswers.push_back(IDNO);

  RenameEntry(*root_);

  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(Registrations(), (std::vector<std::wstring>{L"OTHER.EXE", L"TOOL.EXE"}));
  EXPECT_EQ(ReadText(L"OTHER.EXE", L""), L"C:\\Other\\other.exe");
  EXPECT_EQ(ReadText(L"TOOL.EXE", L""), program_ + L" -x");
  ExpectOldNameKept();
}

TEST_F(RenameEntryTest, ExistingNameAnsweredYesIsOverwrittenAndTheOldKeyGoes) {
  PutRegistration(L"OTHER.EXE", L"C:\\Other\\other.exe");
  ShowTool();
  AnswerRename(L"Other.exe");
  prompts_.messageAnswers.push_back(IDYES);

  RenameEntry(*root_);

  EXPECT_EQ(Registrations(), std::vector<std::wstring>{L"OTHER.EXE"});
  EXPECT_EQ(ReadText(L"OTHER.EXE", L""), program_ + L" -x");
  // One key, one row: the old one went with its key.
  ASSERT_EQ(List().Count(), 1);
  EXPECT_EQ(List().Text(0), L"Other.exe");
  EXPECT_EQ(List().SelectedIndex(), 0);
}

TEST_F(RenameEntryTest, LetterCaseChangeChangesNothing) {
  ShowTool();
  const int cacheLines = root_->EntryList().LstFileCache().Count();
  AnswerRename(L"TOOL.exe");

  RenameEntry(*root_);

  EXPECT_EQ(Registrations(), std::vector<std::wstring>{L"TOOL.EXE"});
  EXPECT_EQ(ReadText(L"TOOL.EXE", L""), program_ + L" -x");
  ExpectOldNameKept();
  EXPECT_TRUE(Text1().Locked());
  EXPECT_EQ(root_->EntryList().LstFileCache().Count(), cacheLines);
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(RenameEntryTest, NameTheRegistryRefusesKeepsTheOldRegistration) {
  ShowTool();
  AnswerRename(L"Sub\\Tool.exe");

  RenameEntry(*root_);

  EXPECT_EQ(prompts_.messages.size(), 1u) << "the save says why it refused the name";
  EXPECT_EQ(Registrations(), std::vector<std::wstring>{L"TOOL.EXE"});
  ExpectOldNameKept();
}

TEST_F(RenameEntryTest, NameWithPatternCharactersSelectsItsOwnRow) {
  // Searched as a pattern, C#.exe would match the installation C1.exe of the row before it.
  PutRegistration(L"A.EXE", L"C1.exe");
  ShowTool();
  AnswerRename(L"C#.exe");

  RenameEntry(*root_);

  EXPECT_EQ(SelectedText(), L"C#.exe");
  EXPECT_EQ(Registrations(), (std::vector<std::wstring>{L"A.EXE", L"C#.EXE"}));
}

TEST_F(RenameEntryTest, UnsavedNewEntryIsSavedUnderTheNewNameAndNothingIsRemoved) {
  PutRegistration(L"NEUER EINTRAG", L"C:\\Kept\\kept.exe");
  const DWORD useUrl = 1;
  PutRawValue(L"NEUER EINTRAG", L"UseUrl", REG_DWORD, &useUrl, sizeof(useUrl));
  OpenWindow();
  NewEntry(*root_);
  ASSERT_EQ(SelectedText(), Texts::kNewEntry);
  root_->LoadSelectedRow();
  Text2().SetText(L"C:\\Neu\\neu.exe");
  AnswerRename(L"Neu.exe");

  RenameEntry(*root_);

  EXPECT_EQ(Registrations(), (std::vector<std::wstring>{L"NEU.EXE", L"NEUER EINTRAG"}));
  EXPECT_EQ(ReadText(L"NEU.EXE", L""), L"C:\\Neu\\neu.exe");
  EXPECT_NE(RegGetValueW(HKEY_LOCAL_MACHINE, KeyPath(L"NEU.EXE").c_str(), L"UseUrl",
                         RRF_RT_ANY, nullptr, nullptr, nullptr),
            ERROR_SUCCESS)
      << "nothing is carried over from a registration that happens to bear the placeholder's name";
  EXPECT_EQ(ReadText(L"NEUER EINTRAG", L""), L"C:\\Kept\\kept.exe");
  EXPECT_EQ(SelectedText(), L"Neu.exe");
}

TEST_F(RenameEntryTest, OldKeyThatCannotBeRemovedIsReported) {
  ShowTool();
  ASSERT_NO_FATAL_FAILURE(Deny(L"TOOL.EXE", DELETE));
  {
    HKEY probe = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE").c_str(), 0, DELETE, &probe) ==
        ERROR_SUCCESS) {
      RegCloseKey(probe);
      GTEST_SKIP() << "this registry does not enforce the key's access rights";
    }
  }
  AnswerRename(L"Neu.exe");

  RenameEntry(*root_);

  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text.rfind(std::wstring(Texts::kRenameOldKeyKept) +
                                                L"\nTool.exe\n",
                                            0),
            0u);
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(RegistrationExists(L"NEU.EXE"));
  EXPECT_TRUE(RegistrationExists(L"TOOL.EXE"));
}

}  // namespace

namespace {

// The release of the Enter key that accepted the new name reaches the list after the dialog
// has closed; it must not put the old name back into the panel, where the save would take it
// and the old key would then be deleted with the only copy of the registration.
TEST_F(RenameEntryTest, EnterReleasedAfterTheDialogLosesNothing) {
  ShowTool();
  AnswerRename(L"Werkzeug.exe");
  prompts_.whileAsking = [&] {
    PostMessageW(List().Handle(), WM_KEYUP, VK_RETURN, 0xC01C0001);
  };
  root_->SetCommandHandler([this](Command) { RenameEntry(*root_); });
  ASSERT_TRUE(root_->RunCommand(Command::Umbenennen));
  EXPECT_EQ(Registrations(), std::vector<std::wstring>{L"WERKZEUG.EXE"});
  EXPECT_EQ(ReadText(L"WERKZEUG.EXE", L""), program_ + L" -x");
}

}  // namespace
