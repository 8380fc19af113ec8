// The editor panel on the real window: read-only states, Backspace in Text3, the buttons the
// timer enables, the edit command, the cache line's double click and the browse.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/SpecialFolders.h"
#include "ui/PanelWindowFixture.h"
#include "texts/Texts.h"

namespace {

constexpr DWORD kBrowseFlags = 2103310;

class EditorPanelTest : public PanelWindowFixture {
 protected:
  void PutWordAndNotepad() {
    PutRegistration(L"WINWORD.EXE", L"C:\\Office\\winword.exe", L"C:\\Office;");
    PutRegistration(L"NOTEPAD.EXE", L"C:\\Windows\\notepad.exe", L"C:\\Windows;");
  }

  // Text1 read-only, Text3 read-only.
  std::pair<bool, bool> LockState() { return {Text1().Locked(), Text3().Locked()}; }

  std::wstring ProgramFiles() { return SpecialFolderPath(FOLDERID_ProgramFiles); }

  std::wstring InitialFolderOfBrowse() {
    prompts_.openRequests.clear();
    SendCommand(Root::kBDateiname);
    if (prompts_.openRequests.size() != 1) return L"<no dialog>";
    return prompts_.openRequests.front().initialFolder;
  }
};

using Locks = std::pair<bool, bool>;

// ---- Read-only states ----

// The name changes only through "Umbenennen"; the installation and the directory take typing
// whenever the row may be changed, and what was typed survives a double click on its row. The
// line under the boxes says why the row is broken.
TEST_F(EditorPanelTest, BoxesTakeTypingWheneverTheRowMayBeChanged) {
  PutWordAndNotepad();
  OpenWindow();
  EXPECT_EQ(LockState(), Locks(true, true)) << "window created";

  SelectRowOnly(L"Winword.exe");  // its notification loads the row
  EXPECT_EQ(LockState(), Locks(true, Text2().Locked()));
  EXPECT_EQ(WindowText(W().LabPanelNote()),
            L"Datei wurde nicht gefunden – C:\\Office\\winword.exe gibt es nicht");
  Text3().SetText(L"C:\\Neu;");
  NotifyFromList(NM_DBLCLK);
  EXPECT_EQ(Text3().Text(), L"C:\\Neu;");
  StartNewEntry();
  W().LoadSelectedRow();
  EXPECT_EQ(LockState(), Locks(false, false)) << "a new entry";
}

// Backspace empties a directory that may be edited, whatever the caret position.
TEST_F(EditorPanelTest, BackspaceInTheDirectoryEmptiesItUnlessReadOnly) {
  OpenWindow();
  Text3().SetText(L"C:\\Office;C:\\Tools;");
  Type(Text3(), L'\b');
  EXPECT_EQ(Text3().Text(), L"C:\\Office;C:\\Tools;") << "read-only";
  Text3().SetLocked(false);
  SendMessageW(Text3().Handle(), EM_SETSEL, 4, 4);
  Type(Text3(), L'x');
  EXPECT_EQ(Text3().Text(), L"C:\\Oxffice;C:\\Tools;");
  Type(Text3(), L'\b');
  EXPECT_EQ(Text3().Text(), L"");
}

// ---- Timer1 ----

TEST_F(EditorPanelTest, OkIsEnabledWhileTheInstallationNamesAnExistingProgram) {
  OpenWindow();
  const std::wstring app = MakeFile(L"X\\App.exe");
  const std::wstring folder = DirectoryPart(app);
  struct Case {
    std::wstring installation;
    bool enabled;
  };
  const Case cases[] = {
      {app, true},
      {folder + L"APP.EXE /s", true},       // arguments cut at ".exe "
      {folder + L"App.exe -x", true},
      {app + L" ", true},                   // one trailing blank
      {L"\"" + app + L"\" -x", true},       // a quoted program with arguments
      {folder + L"App.exe-x", false},       // no blank: tested as it stands
      {folder + L"Missing.exe", false},
      {L"", false},
  };
  for (const Case& c : cases) {
    Text2().SetText(c.installation);
    Tick();
    EXPECT_EQ(Enabled(W().Panel().BHinzufügen()), c.enabled) << testing::PrintToString(c.installation);
  }

  MakeFile(L"X\\App.exe-x");
  Text2().SetText(folder + L"App.exe-x");
  Tick();
  EXPECT_TRUE(Enabled(W().Panel().BHinzufügen()));
}

// OK tests the text as Windows will read it: a reference expanded only in a value that is and
// stays REG_EXPAND_SZ, a bare name found on the search path.
TEST_F(EditorPanelTest, OkTestsTheProgramAsItWillBeStored) {
  const std::wstring app = MakeFile(L"X\\App.exe");
  ASSERT_TRUE(SetEnvironmentVariableW(L"VELMARIN_X", DirectoryPart(app).c_str()));
  const std::wstring expandable = L"%VELMARIN_X%App.exe";
  PutRawValue(L"EXPAND.EXE", L"", REG_EXPAND_SZ, expandable.c_str(),
              static_cast<DWORD>((expandable.size() + 1) * sizeof(wchar_t)));
  PutRegistration(L"PLAIN.EXE", L"C:\\plain.exe");
  OpenWindow();
  struct Case {
    const wchar_t* row;
    std::wstring typed;  // empty: as loaded
    bool enabled;
  };
  const Case cases[] = {
      {L"Expand.exe", L"", true},
      {L"Expand.exe", L"\"" + expandable + L"\" /x", true},  // still a reference: stays expandable
      {L"Plain.exe", expandable, true},  // REG_SZ: found as written or expanded
      {L"Plain.exe", L"notepad.exe", true},                 // found on the search path
      {L"Plain.exe", L"velmarin-nowhere.exe", false},
  };
  for (const Case& c : cases) {
    SelectRow(c.row);
    if (!c.typed.empty()) Text2().SetText(c.typed);
    Tick();
    EXPECT_EQ(Enabled(W().Panel().BHinzufügen()), c.enabled) << testing::PrintToString(c.typed);
  }
  SetEnvironmentVariableW(L"VELMARIN_X", nullptr);
}

// A program nobody can tell about is not known to be missing: OK may save it, and the panel says
// why it cannot be told; for a drive letter this session lacks, what the user can do about it.
// A program that is there, the panel says so.
TEST_F(EditorPanelTest, AProgramThatCannotBeReachedMayBeSavedAndThePanelSaysWhy) {
  ASSERT_EQ(GetLogicalDrives() & (1u << (L'Q' - L'A')), 0u) << "the prefix has a drive Q:";
  PutRegistration(L"PLAIN.EXE", MakeFile(L"plain.exe").c_str());
  OpenWindow();
  SelectRow(L"Plain.exe");
  const std::pair<std::wstring, std::wstring> typedAndNote[] = {
      {L"\\\\velmarin-no-server\\share\\x.exe", Texts::kPanelUnreachable},
      {L"q:\\Tools\\x.exe /n", Texts::PanelDriveMissing(L'Q')},
      {MakeFile(L"other.exe"), L"Fehlerfreier Eintrag – " + Folder() + L"\\other.exe ist vorhanden"}};
  for (const auto& [typed, note] : typedAndNote) {
    Text2().SetText(typed);
    Tick();
    EXPECT_TRUE(Enabled(W().Panel().BHinzufügen())) << testing::PrintToString(typed);
    EXPECT_EQ(WindowText(W().LabPanelNote()), note);
  }
}

TEST_F(EditorPanelTest, BrowseButtonIsEnabledWhileTheFileNameBoxHoldsText) {
  OpenWindow();
  Text1().SetText(L"");
  Tick();
  EXPECT_FALSE(Enabled(W().Panel().BDateiname()));
  Text1().SetText(L"A");
  Tick();
  EXPECT_TRUE(Enabled(W().Panel().BDateiname()));
}

TEST_F(EditorPanelTest, TheRunningTimerUpdatesTheButtonsWithinItsInterval) {
  OpenWindow();
  Text1().SetText(L"");
  Text2().SetText(MakeFile(L"Tool.exe"));
  for (const ULONGLONG end = GetTickCount64() + 600; GetTickCount64() < end; Sleep(10)) Pump();
  EXPECT_FALSE(Enabled(W().Panel().BDateiname()));
  EXPECT_TRUE(Enabled(W().Panel().BHinzufügen()));
}

// ---- Bearbeiten and the cache list ----

TEST_F(EditorPanelTest, EditCommandPutsTheFocusIntoTheInstallationWithItsTextSelected) {
  PutWordAndNotepad();
  OpenWindow();
  SelectRowOnly(L"Notepad.exe");
  Text2().SetText(L"typed");  // the panel's own row: what was typed stays
  SendCommand(Root::kMnuBearbeiten, 0);
  EXPECT_EQ(Text1().Text() + L"|" + Text2().Text(), L"Notepad.exe|typed");
  EXPECT_EQ(SendMessageW(Text2().Handle(), EM_GETSEL, 0, 0), MAKELRESULT(0, 5));
  EXPECT_EQ(GetFocus(), Text2().Handle());
}

TEST_F(EditorPanelTest, CacheLineDoubleClickFillsThePanelAndKeepsTheReadOnlyStates) {
  PutWordAndNotepad();
  OpenWindow();
  ListBox& cache = Cache();
  int word = -1;
  for (int i = 0; i < cache.Count(); ++i)
    if (const std::wstring line = CacheLine(i); line.compare(0, 12, L"WINWORD.EXE\t") == 0)
      word = i;
  ASSERT_GE(word, 0);
  ASSERT_TRUE(cache.Select(word));
  Text3().SetLocked(false);

  SendCommand(Root::kLstFileCache, LBN_DBLCLK);
  EXPECT_EQ(Text1().Text(), L"Winword.exe");
  EXPECT_EQ(Text2().Text(), L"C:\\Office\\winword.exe");
  EXPECT_EQ(Text3().Text(), L"C:\\Office;");
  EXPECT_EQ(LockState(), Locks(true, false));

  // The line is a display of its entry: a line that is no entry's loads nothing.
  const int odd = cache.Insert(cache.Count(), L"NOTEPAD.EXE\tC:\\x.exe\tC:\\y", 0);
  ASSERT_TRUE(cache.Select(odd));
  SendCommand(Root::kLstFileCache, LBN_DBLCLK);
  EXPECT_EQ(Text2().Text(), L"C:\\Office\\winword.exe");
}

TEST_F(EditorPanelTest, CacheLineDoubleClickDoesNothingWhileTheListIsEmpty) {
  OpenWindow();
  ASSERT_EQ(List().Count(), 0);
  const int line = Cache().Insert(0, L"A.EXE\tC:\\a.exe\tC:\\;", 0);
  ASSERT_TRUE(Cache().Select(line));
  Text2().SetText(L"kept");
  SendCommand(Root::kLstFileCache, LBN_DBLCLK);
  EXPECT_EQ(Text1().Text(), L"");
  EXPECT_EQ(Text2().Text(), L"kept");
}

// ---- Browse ----

TEST_F(EditorPanelTest, BrowseForANewEntryTakesTheChosenNameFolderAndDirectoryList) {
  PutWordAndNotepad();
  OpenWindow();
  StartNewEntry();
  const std::wstring chosen = MakeFile(L"Programme Tools\\MYTOOL.EXE");
  const std::wstring folder = DirectoryPart(chosen);
  prompts_.openAnswers.push_back(chosen);

  SendCommand(Root::kBDateiname);
  ASSERT_EQ(prompts_.openRequests.size(), 1u);
  EXPECT_EQ(Text1().Text(), L"Mytool.exe");
  EXPECT_EQ(Text2().Text(), folder + L"Mytool.exe");
  EXPECT_EQ(Text3().Text(), folder.substr(0, folder.size() - 1) + L";");
  EXPECT_FALSE(Text1().Locked()) << "still a new entry";
  EXPECT_EQ(W().Dialog1FileName(), chosen);
  // Nothing is written: no key for the program, no LastBrowseFolder.
  EXPECT_FALSE(RegistrationExists(L"MYTOOL.EXE"));
  EXPECT_FALSE(ReadText(L"", L"Path").has_value());
  EXPECT_EQ(List().Text(List().SelectedIndex()), L"Neuer Eintrag");
}

TEST_F(EditorPanelTest, BrowseForAnExistingEntryKeepsItsNameAndDropsUnsavedEdits) {
  PutWordAndNotepad();
  OpenWindow();
  SelectRowOnly(L"Winword.exe");
  Text2().SetText(L"unsaved");
  W().Dialog1FileName() = L"C:\\earlier\\Export.reg";

  SendCommand(Root::kBDateiname);  // cancelled
  EXPECT_EQ(Text1().Text(), L"Winword.exe");
  EXPECT_EQ(Text2().Text(), L"C:\\Office\\winword.exe");
  EXPECT_EQ(Text3().Text(), L"C:\\Office;");
  EXPECT_EQ(W().Dialog1FileName(), L"") << "a cancelled browse leaves no file name";

  const std::wstring chosen = MakeFile(L"Neu\\WORD2.EXE");
  prompts_.openAnswers.push_back(chosen);
  SendCommand(Root::kBDateiname);
  EXPECT_EQ(Text1().Text(), L"Winword.exe");
  EXPECT_EQ(Text2().Text(), DirectoryPart(chosen) + L"Word2.exe");
  EXPECT_EQ(Text3().Text(), Folder() + L"\\Neu;");
  EXPECT_TRUE(Text1().Locked());
}

TEST_F(EditorPanelTest, CancelledOrEmptyBrowseLeavesANewEntryInProgressAsItWas) {
  PutWordAndNotepad();
  OpenWindow();
  StartNewEntry();
  Text1().SetText(L"Meintool.exe");
  Text2().SetText(L"C:\\halb");
  Text3().SetText(L"C:\\;");
  prompts_.openAnswers.push_back(std::nullopt);
  prompts_.openAnswers.push_back(std::wstring());
  for (int attempt = 0; attempt < 2; ++attempt) {
    SendCommand(Root::kBDateiname);
    EXPECT_EQ(Text1().Text(), L"Meintool.exe");
    EXPECT_EQ(Text2().Text(), L"C:\\halb");
    EXPECT_EQ(Text3().Text(), L"C:\\;");
    EXPECT_FALSE(Text1().Locked());
    EXPECT_EQ(W().Dialog1FileName(), L"");
  }
  EXPECT_EQ(prompts_.openRequests.size(), 2u);
}

TEST_F(EditorPanelTest, BrowseAsksForAnExistingProgramWithTitleFilterAndFlags) {
  PutWordAndNotepad();
  OpenWindow();
  SelectRowOnly(L"Notepad.exe");
  SendCommand(Root::kBDateiname);
  ASSERT_EQ(prompts_.openRequests.size(), 1u);
  const FileDialogRequest& request = prompts_.openRequests.front();
  EXPECT_EQ(request.title, L"Durchsuchen");
  EXPECT_EQ(request.filter, L"Programme|*.exe|Alle Dateitypen|*.*");
  EXPECT_EQ(request.flags, kBrowseFlags);
  EXPECT_EQ(request.fileName, L"");
}

TEST_F(EditorPanelTest, BrowseStartsInLastBrowseFolderOrElseInTheProgramFilesFolder) {
  PutWordAndNotepad();
  OpenWindow();
  SelectRowOnly(L"Winword.exe");  // its program does not exist
  ASSERT_FALSE(ProgramFiles().empty());

  EXPECT_EQ(InitialFolderOfBrowse(), ProgramFiles()) << "no LastBrowseFolder";

  PutLastBrowseFolder(Folder() + L"\\");
  EXPECT_EQ(InitialFolderOfBrowse(), Folder() + L"\\");

  PutLastBrowseFolder(Folder() + L"\\deleted\\");
  EXPECT_EQ(InitialFolderOfBrowse(), ProgramFiles()) << "a folder that is gone";

  PutLastBrowseFolder(L"");
  EXPECT_EQ(InitialFolderOfBrowse(), ProgramFiles()) << "an empty value";

  const DWORD number = 7;
  PutRawValue(L"", L"Path", REG_DWORD, &number, sizeof(number));
  EXPECT_EQ(InitialFolderOfBrowse(), ProgramFiles()) << "a value that is no text";
}

TEST_F(EditorPanelTest, BrowseStartsInTheFolderOfAnExistingInstallation) {
  const std::wstring program = MakeFile(L"Tools\\tool.exe");
  PutRegistration(L"TOOL.EXE", program.c_str(), L"");
  const std::wstring folder = Folder() + L"\\Tools";
  PutRegistration(L"FOLDER.EXE", folder.c_str(), L"");
  PutRegistration(L"ARGS.EXE", (program + L" /x").c_str(), L"");
  OpenWindow();
  PutLastBrowseFolder(Folder());

  SelectRowOnly(L"Tool.exe");
  EXPECT_EQ(InitialFolderOfBrowse(), DirectoryPart(program));
  SelectRowOnly(L"Folder.exe");
  EXPECT_EQ(InitialFolderOfBrowse(), folder);
  SelectRowOnly(L"Args.exe");
  EXPECT_EQ(InitialFolderOfBrowse(), Folder()) << "not a path as it stands";
}

TEST_F(EditorPanelTest, BrowseOnAnEmptyListShowsNoDialog) {
  OpenWindow();
  ASSERT_EQ(List().Count(), 0);
  prompts_.openAnswers.push_back(MakeFile(L"tool.exe"));
  SendCommand(Root::kBDateiname);
  EXPECT_TRUE(prompts_.openRequests.empty());
  EXPECT_EQ(Text2().Text(), L"");
}

}  // namespace
