// "Fehlerhafte Einträge bereinigen ..." and the search on the real window and registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "platform/Registry.h"
#include "support/RootFixture.h"
#include "texts/CommandLineTexts.h"
#include "texts/Texts.h"

namespace {

namespace fs = std::filesystem;

class CleanUpTest : public RootFixture {
 protected:
  // Two broken machine keys, a protected broken one, a settings-only key, a hidden machine key
  // with a missing program, a fine one and a broken one of the user's.
  void PutMixedKeys() {
    const std::wstring tool = MakeFile(L"tool.exe");
    PutRegistration(L"GONE.EXE", L"C:\\Nirgends\\gone.exe", L"C:\\Nirgends;");
    PutRawValue(L"GONE.EXE\\Sub", L"Inner", REG_SZ, L"x", 4);
    PutRegistration(L"EMPTY.EXE", L"");
    PutRegistration(L"SETUP.EXE", L"C:\\Nirgends\\setup.exe");
    const DWORD one = 1;
    PutRawValue(L"INSTALL.EXE", L"BlockOnTSNonInstallMode", REG_DWORD, &one, sizeof(one));
    PutRegistration(L"SHADOW.EXE", L"C:\\Nirgends\\shadow.exe");
    PutUserRegistration(L"SHADOW.EXE", tool.c_str());
    PutRegistration(L"TOOL.EXE", tool.c_str());
    PutUserRegistration(L"MINE.EXE", L"C:\\Nirgends\\mine.exe");
  }

  void WindowOpened() override { InstallCommands(*root_); }

  static std::vector<std::wstring> Names(const std::vector<CleanUpRow>& rows) {
    std::vector<std::wstring> names;
    for (const CleanUpRow& row : rows) names.push_back(row.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  static std::optional<Registry::KeyTree> Both(HKEY root) {
    return Registry::ReadKeyTree(root, KeyPath(L""));
  }

  static std::vector<fs::path> UndoFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(folder))
      if (item.path().filename().wstring().rfind(L"Bereinigung-", 0) == 0)
        files.push_back(item.path());
    return files;
  }

};

TEST_F(CleanUpTest, RemovesTheCheckedBrokenKeysAndNamesTheUndoFile) {
  PutMixedKeys();
  OpenWindow();

  ASSERT_TRUE(root_->RunCommand(Command::Bereinigen));

  ASSERT_EQ(prompts_.cleanUpOffers.size(), 1u);
  const std::vector<CleanUpRow>& offered = prompts_.cleanUpOffers[0];
  EXPECT_EQ(Names(offered), (std::vector<std::wstring>{L"Empty.exe", L"Gone.exe", L"Mine.exe",
                                                       L"Setup.exe"}));
  for (const CleanUpRow& row : offered) EXPECT_EQ(row.removable, row.name != L"Setup.exe");
  EXPECT_FALSE(RegistrationExists(L"GONE.EXE"));
  EXPECT_FALSE(RegistrationExists(L"EMPTY.EXE"));
  EXPECT_FALSE(UserRegistrationExists(L"MINE.EXE"));
  EXPECT_TRUE(RegistrationExists(L"SETUP.EXE"));
  EXPECT_TRUE(RegistrationExists(L"INSTALL.EXE"));
  EXPECT_TRUE(RegistrationExists(L"SHADOW.EXE"));
  EXPECT_EQ(RowOf(L"Gone.exe"), -1);
  EXPECT_EQ(WindowText(root_->LabFileError()), L" 1 fehlerhafter Eintrag");  // Setup.exe

  const std::vector<fs::path> undo = UndoFiles(folder_);
  ASSERT_EQ(undo.size(), 1u);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_NE(prompts_.messages[0].text.find(undo[0].wstring()), std::wstring::npos);
  EXPECT_EQ(prompts_.messages[0].text.rfind(L"3", 0), 0u);
  // The undo file's round trip through the registry editor is the clean-up's own test.
}

// A share that does not answer and a drive letter the session lacks: nobody can tell whether the
// program is there, so the row says so, and it is neither counted nor offered for removal.
TEST_F(CleanUpTest, ProgramsNobodyCanReachAreNeitherCountedNorOffered) {
  ASSERT_EQ(GetLogicalDrives() & (1u << (L'Q' - L'A')), 0u) << "the prefix has a drive Q:";
  PutRegistration(L"NETZ.EXE", L"\\\\nohost\\share\\x.exe");
  PutRegistration(L"LAUFWERK.EXE", L"Q:\\Tools\\laufwerk.exe");
  PutRegistration(L"GONE.EXE", L"C:\\Nirgends\\gone.exe");
  OpenWindow();
  EXPECT_EQ(ImageKey(RowOf(L"Netz.exe")), L"Unerreichbar");
  EXPECT_EQ(ImageKey(RowOf(L"Laufwerk.exe")), L"Unerreichbar");
  EXPECT_EQ(WindowText(root_->LabFileError()), L" 1 fehlerhafter Eintrag");

  ASSERT_TRUE(root_->RunCommand(Command::Bereinigen));
  ASSERT_EQ(prompts_.cleanUpOffers.size(), 1u);
  EXPECT_EQ(Names(prompts_.cleanUpOffers[0]), std::vector<std::wstring>{L"Gone.exe"});
}

// While the dialog is open another program repairs one key, changes and removes others; a
// key's Path lacks its terminating NUL, which no registration file restores. They stay and are
// named, the rest goes.
TEST_F(CleanUpTest, KeysRepairedMeanwhileOrUnrestorableStayAndAreNamed) {
  const std::wstring gone = (folder_ / L"gone.exe").wstring();
  for (const wchar_t* key : {L"GONE.EXE", L"CHANGED.EXE", L"REMOVED.EXE"}) PutRegistration(key, gone.c_str());
  PutRegistration(L"EMPTY.EXE", L"");
  PutRegistration(L"ODD.EXE", L"C:\\Nirgends\\odd.exe");
  PutRawValue(L"ODD.EXE", L"Path", REG_SZ, L"C:\\Nirgends!", 22);  // no NUL counted in
  OpenWindow();
  prompts_.whileAsking = [&] {
    MakeFile(L"gone.exe");
    PutRegistration(L"CHANGED.EXE", L"C:\\Nirgends\\changed.exe");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"REMOVED.EXE").c_str());
  };

  ASSERT_TRUE(root_->RunCommand(Command::Bereinigen));

  EXPECT_TRUE(RegistrationExists(L"GONE.EXE") && RegistrationExists(L"ODD.EXE"));
  EXPECT_FALSE(RegistrationExists(L"EMPTY.EXE"));
  ASSERT_EQ(prompts_.messages.size(), 1u);
  const std::wstring& told = prompts_.messages[0].text;
  EXPECT_EQ(told.rfind(L"1", 0), 0u);
  for (const wchar_t* name : {L"\nGone.exe", L"\nChanged.exe", L"\nRemoved.exe"})
    EXPECT_NE(told.find(name + std::wstring(L" (Computer): ") + Texts::kCliKeptChanged),
              std::wstring::npos) << Narrow(name);
  EXPECT_NE(told.find(L"\nOdd.exe (Computer): " + Texts::KeptUnrestorable(L"", L"Path")),
            std::wstring::npos);
  EXPECT_EQ(ImageKey(RowOf(L"Gone.exe")), L"Ready") << "the row shows the repair";
}

// The undo file cannot be written (its folder is missing): nothing is removed, the user hears
// why; unchecking in the dialog keeps a key.
TEST_F(CleanUpTest, UndoFileThatCannotBeWrittenDeletesNothing) {
  PutMixedKeys();
  const auto machineBefore = Both(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(Create(false, (folder_ / L"fehlt").wstring()));
  InstallCommands(*root_);
  FillList();
  ASSERT_TRUE(Settle());

  ASSERT_TRUE(root_->RunCommand(Command::Bereinigen));
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text.rfind(Texts::kCleanUpFailed, 0), 0u);
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(Both(HKEY_LOCAL_MACHINE), machineBefore);
  EXPECT_GE(RowOf(L"Gone.exe"), 0);
}

// ---- Find ----

class FindTest : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    PutRegistration(L"ALPHA.EXE", L"C:\\Tools\\alpha.exe");
    PutRegistration(L"BETA.EXE", L"C:\\Beta\\b1.exe");
    PutRegistration(L"GAMMA.EXE", L"C:\\Tools\\gamma.exe");
    OpenWindow();
    root_->EntryList().SortBy(EntryListView::kColumnFileName);
  }
  void Send(int id) { SendMessageW(root_->Handle(), WM_COMMAND, id, 0); }
};

TEST_F(FindTest, PatternSelectsTheMatchAndF3GoesOnAndWraps) {
  prompts_.searchAnswers.push_back(SearchRequest{L"c:\\tools\\*", true, false});
  Send(Root::kMnuSuchen);
  EXPECT_EQ(SelectedText(), L"Alpha.exe");
  EXPECT_EQ(Text1().Text(), L"Alpha.exe");
  Send(Root::kMnuWeitersuchen);
  EXPECT_EQ(SelectedText(), L"Gamma.exe");
  Send(Root::kMnuWeitersuchen);
  EXPECT_EQ(SelectedText(), L"Alpha.exe") << "wraps round";
  EXPECT_TRUE(prompts_.messages.empty());

  // The dialog opens with the last request; a malformed pattern says so and selects nothing new.
  prompts_.searchAnswers.push_back(SearchRequest{L"[z-a]", false, false});
  Send(Root::kMnuSuchen);
  EXPECT_EQ(prompts_.searchRequests.back(), (SearchRequest{L"c:\\tools\\*", true, false}));
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, Texts::kFindMalformed);
  EXPECT_EQ(SelectedText(), L"Alpha.exe");
}

// As in Explorer's search, a text without wildcards is found anywhere in a field.
TEST_F(FindTest, APatternWithoutWildcardsFindsAPartOfAField) {
  prompts_.searchAnswers.push_back(SearchRequest{L"beta\\b1", true, false});
  Send(Root::kMnuSuchen);
  EXPECT_EQ(SelectedText(), L"Beta.exe");
}

}  // namespace
