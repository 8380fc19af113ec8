// The OK button on the real window and the registry of the throwaway prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelCommandsFixture.h"
#include "catalogue/AppPathEntry.h"
#include "platform/SpecialFolders.h"
#include "texts/Texts.h"

namespace {

using Names = std::vector<std::wstring>;

std::wstring OverwriteQuestion() {
  return std::wstring(Texts::kOverwriteQuestion1) + L"\n" + Texts::kOverwriteQuestion2;
}

class SaveEntryTest : public PanelCommandsFixture {
 protected:
  // A new entry typed into the placeholder row.
  void TypeNewEntry(const std::wstring& name, const std::wstring& installation,
                    const std::wstring& directory = L"") {
    New();
    Text1().SetText(name);
    Text2().SetText(installation);
    Text3().SetText(directory);
  }

  std::wstring LastBrowseFolder() { return ReadText(L"", L"Path").value_or(L"<none>"); }
};

// ---- Existing and new entries ----

TEST_F(SaveEntryTest, ExistingEntryGetsBothValuesReplacedKeepsItsOtherValuesAndAsksNothing) {
  const std::wstring word = MakeFile(L"word.exe");
  PutRegistration(L"WINWORD.EXE", L"C:\\Old\\winword.exe", L"C:\\Old;");
  const DWORD one = 1;
  PutRawValue(L"WINWORD.EXE", L"UseURL", REG_DWORD, &one, sizeof(one));
  OpenWindow();
  SelectRow(L"Winword.exe");
  const int linesBefore = Cache().Count();
  Text2().SetText(word + L" /n");
  Text3().SetText(L"C:\\Neu;");

  EXPECT_EQ(Save(), SaveResult::Saved);

  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(ReadText(L"WINWORD.EXE", L""), word + L" /n");
  EXPECT_EQ(ReadText(L"WINWORD.EXE", L"Path"), L"C:\\Neu;");
  EXPECT_EQ(TypeOf(L"WINWORD.EXE", L"UseURL"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(SubKeys(KeyPath(L"")), Names{L"WINWORD.EXE"});
  ASSERT_EQ(Cache().Count(), linesBefore);
  EXPECT_EQ(CacheLine(0), L"WINWORD.EXE\t" + word + L" /n\tC:\\Neu;");
  const int row = RowOf(L"Winword.exe");
  EXPECT_EQ(RowTexts(row), (Names{L"Winword.exe", L"WINWORD.EXE", word + L" /n", L"C:\\Neu;"}));
  EXPECT_EQ(ImageKey(row), L"Ready");
  EXPECT_EQ(List().SelectedIndex(), row);
  EXPECT_TRUE(Text1().Locked());
}

TEST_F(SaveEntryTest, NewEntryIsCreatedUnderItsUpperCasedNameWithClassOne) {
  const std::wstring tool = MakeFile(L"tool.exe");
  PutRegistration(L"ZZZ.EXE", L"C:\\z.exe");
  OpenWindow();
  TypeNewEntry(L"myTool.exe", tool, L"C:\\Tools;");

  EXPECT_EQ(Save(), SaveResult::Saved);

  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(SubKeys(KeyPath(L"")), (Names{L"MYTOOL.EXE", L"ZZZ.EXE"}));
  EXPECT_EQ(ClassOf(L"MYTOOL.EXE"), L"1");
  EXPECT_EQ(ReadText(L"MYTOOL.EXE", L""), tool);
  EXPECT_EQ(ReadText(L"MYTOOL.EXE", L"Path"), L"C:\\Tools;");
  EXPECT_EQ(RowOf(Texts::kNewEntry), -1);
  const int row = RowOf(L"Mytool.exe");
  ASSERT_GE(row, 0);
  EXPECT_EQ(RowTexts(row), (Names{L"Mytool.exe", L"MYTOOL.EXE", tool, L"C:\\Tools;"}));
  EXPECT_EQ(ImageKey(row), L"Ready");
  EXPECT_EQ(List().SelectedIndex(), row);
  EXPECT_TRUE(Text1().Locked());
}

TEST_F(SaveEntryTest, NewEntryUnderAnExistingNameAsksAndNoChangesNothing) {
  const std::wstring pad = MakeFile(L"pad.exe");
  PutRegistration(L"NOTEPAD.EXE", L"C:\\Old\\notepad.exe", L"C:\\Old;");
  PutRawValue(L"NOTEPAD.EXE", L"Extra", REG_SZ, L"x", 4);
  OpenWindow();
  const int lines = Cache().Count();
  TypeNewEntry(L"notepad.EXE", pad, L"C:\\Neu;");
  prompts_.messageAnswers = {IDNO};

  EXPECT_EQ(Save(), SaveResult::Declined);

  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, OverwriteQuestion());
  EXPECT_EQ(prompts_.messages[0].title, L" Velmarin");
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  EXPECT_EQ(ReadText(L"NOTEPAD.EXE", L""), L"C:\\Old\\notepad.exe");
  EXPECT_EQ(ReadText(L"NOTEPAD.EXE", L"Path"), L"C:\\Old;");
  EXPECT_EQ(Cache().Count(), lines);
  EXPECT_GE(RowOf(Texts::kNewEntry), 0);
  EXPECT_FALSE(Text1().Locked());
  EXPECT_EQ(Text1().Text(), L"notepad.EXE");

  prompts_.messageAnswers = {IDYES};
  EXPECT_EQ(Save(), SaveResult::Saved);
  EXPECT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(ReadText(L"NOTEPAD.EXE", L""), pad);
  EXPECT_EQ(ReadText(L"NOTEPAD.EXE", L"Path"), L"C:\\Neu;");
  EXPECT_EQ(ReadText(L"NOTEPAD.EXE", L"Extra"), L"x");
  EXPECT_EQ(SubKeys(KeyPath(L"")), Names{L"NOTEPAD.EXE"});
  // Both rows now name the entry; the first in list order is selected.
  EXPECT_EQ(List().SelectedIndex(), 0);
}

TEST_F(SaveEntryTest, IconShowsWhatTheSavedInstallationReallyIs) {
  const std::wstring app = MakeFile(L"app.exe");
  PutRegistration(L"APP.EXE", app.c_str());
  OpenWindow();
  SelectRow(L"App.exe");

  Text2().SetText((folder_ / L"gone.exe").wstring());
  ASSERT_EQ(Save(), SaveResult::Saved);
  EXPECT_EQ(ImageKey(RowOf(L"App.exe")), L"Achtung");

  Text2().SetText(L"");
  ASSERT_EQ(Save(), SaveResult::Saved);
  EXPECT_EQ(ImageKey(RowOf(L"App.exe")), L"Fehler");

  Text2().SetText(L"\"" + app + L"\" -x");
  ASSERT_EQ(Save(), SaveResult::Saved);
  EXPECT_EQ(ImageKey(RowOf(L"App.exe")), L"Ready");
}

TEST_F(SaveEntryTest, SavedRowIsFoundByItsLiteralNameNotAsAPattern) {
  const std::wstring app = MakeFile(L"app.exe");
  PutRegistration(L"C1.EXE", app.c_str());
  PutRegistration(L"C[1].EXE", app.c_str());
  OpenWindow();
  TypeNewEntry(L"c#.exe", app);
  ASSERT_EQ(Save(), SaveResult::Saved);
  EXPECT_EQ(SelectedText(), L"C#.exe");

  SelectRow(L"C[1].exe");
  ASSERT_EQ(Save(), SaveResult::Saved);
  EXPECT_EQ(SelectedText(), L"C[1].exe");
}

// ---- LastBrowseFolder ----

TEST_F(SaveEntryTest, SaveWithoutABrowseKeepsTheRememberedFolderAndABrowseReplacesIt) {
  const std::wstring app = MakeFile(L"app.exe");
  PutRegistration(L"APP.EXE", app.c_str());
  PutLastBrowseFolder(L"C:\\Earlier\\");
  OpenWindow();
  SelectRow(L"App.exe");

  ASSERT_EQ(Save(), SaveResult::Saved);
  EXPECT_EQ(LastBrowseFolder(), L"C:\\Earlier\\");

  root_->Dialog1FileName() = L"C:\\Programme\\Tools\\Mytool.exe";
  ASSERT_EQ(Save(), SaveResult::Saved);
  EXPECT_EQ(LastBrowseFolder(), L"C:\\Programme\\Tools\\");
}

// ---- Names the registry cannot take ----

TEST_F(SaveEntryTest, NamesThatAreNoKeyNameAreRefusedAndNothingIsWritten) {
  const std::wstring app = MakeFile(L"app.exe");
  PutRegistration(L"APP.EXE", app.c_str());
  PutRawValue(L"", L"", REG_SZ, L"own", 8);
  PutLastBrowseFolder(L"C:\\Earlier\\");
  OpenWindow();  // no row selected, empty panel: the file name is empty
  root_->Dialog1FileName() = L"C:\\Browsed\\x.exe";
  Text2().SetText(app);
  Text3().SetText(L"C:\\Dir;");
  const int lines = Cache().Count();

  struct Case {
    std::wstring name;
    const wchar_t* message;
  };
  const std::vector<Case> cases = {{L"", Texts::kKeyNameEmpty},
                                   {L"Tools\\app.exe", Texts::kKeyNameBackslash},
                                   {std::wstring(256, L'a'), Texts::kKeyNameTooLong}};
  for (const Case& c : cases) {
    prompts_.messages.clear();
    Text1().SetText(c.name);
    EXPECT_EQ(Save(), SaveResult::Refused) << c.message;
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, c.message);
    EXPECT_EQ(prompts_.messages[0].title, L" Velmarin");
    EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  }

  EXPECT_EQ(SubKeys(KeyPath(L"")), Names{L"APP.EXE"});
  EXPECT_EQ(SubKeys(KeyPath(L"APP.EXE")), Names{});
  EXPECT_EQ(ReadText(L"", L""), L"own");
  EXPECT_EQ(LastBrowseFolder(), L"C:\\Earlier\\");
  EXPECT_EQ(ReadText(L"APP.EXE", L""), app);
  EXPECT_EQ(Cache().Count(), lines);
}

TEST_F(SaveEntryTest, NameOfTheRegistrysFullLengthIsTaken) {
  const std::wstring app = MakeFile(L"app.exe");
  OpenWindow();
  const std::wstring longest = std::wstring(251, L'a') + L".exe";
  TypeNewEntry(longest, app);
  EXPECT_EQ(Save(), SaveResult::Saved);
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(ReadText(std::wstring(251, L'A') + L".EXE", L""), app);
}

// ---- Writes the registry refuses ----

TEST_F(SaveEntryTest, RefusedValueWriteIsReportedAndTheRowAndCacheKeepTheirTexts) {
  const std::wstring app = MakeFile(L"app.exe");
  PutRegistration(L"APP.EXE", L"C:\\Old\\app.exe", L"C:\\Old;");
  Deny(L"APP.EXE", KEY_SET_VALUE);
  OpenWindow();
  SelectRow(L"App.exe");
  const int row = RowOf(L"App.exe");
  const Names before = RowTexts(row);
  const int lines = Cache().Count();
  Text2().SetText(app);

  EXPECT_EQ(Save(), SaveResult::Failed);

  ASSERT_EQ(prompts_.messages.size(), 1u);
  const std::wstring start = std::wstring(Texts::kSaveFailed) + L"\n";
  EXPECT_EQ(prompts_.messages[0].text.substr(0, start.size()), start);
  EXPECT_GT(prompts_.messages[0].text.size(), start.size());  // the system's reason follows
  EXPECT_EQ(prompts_.messages[0].title, L" Velmarin");
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(ReadText(L"APP.EXE", L""), L"C:\\Old\\app.exe");
  EXPECT_EQ(RowTexts(row), before);
  EXPECT_EQ(ImageKey(row), L"Achtung");
  EXPECT_EQ(Cache().Count(), lines);
}

TEST_F(SaveEntryTest, KeyTheRegistryWillNotCreateIsReportedAndTheNewEntryStaysUnsaved) {
  const std::wstring app = MakeFile(L"app.exe");
  MakeAppPathsVolatile();
  OpenWindow();
  TypeNewEntry(L"new.exe", app);

  EXPECT_EQ(Save(), SaveResult::Failed);

  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_FALSE(RegistrationExists(L"NEW.EXE"));
  EXPECT_EQ(RowTexts(0), (Names{Texts::kNewEntry, Texts::kNewEntryKeyMark, L"", L""}));
  EXPECT_EQ(ImageKey(0), L"Achtung");
  EXPECT_FALSE(Text1().Locked());
  EXPECT_EQ(Cache().Count(), 0);
}

// ---- Round trip: OK on a row the user did not edit changes nothing, byte for byte ----

TEST_F(SaveEntryTest, RowSavedUnchangedLeavesTheWholeKeyAsItWas) {
  const std::wstring app = MakeFile(L"app.exe");
  const std::wstring spaced = MakeFile(L"my app.exe");
  const auto text = [](const std::wstring& t) { return std::vector<wchar_t>(t.begin(), t.end() + 1); };
  struct Case {
    std::wstring key;
    DWORD installationType;
    std::vector<wchar_t> installation;  // nothing: no default value
    DWORD directoryType;
    std::vector<wchar_t> directory;     // nothing: no "Path"
  };
  const DWORD number = 7;
  const std::vector<wchar_t> numberData(reinterpret_cast<const wchar_t*>(&number),
                                        reinterpret_cast<const wchar_t*>(&number) + 2);
  const std::vector<Case> cases = {
      {L"PLAIN.EXE", REG_SZ, text(app), REG_SZ, text(L"C:\\Dir;")},
      {L"NOPATH.EXE", REG_SZ, text(app), REG_NONE, {}},
      {L"QUOTEDARGS.EXE", REG_SZ, text(L"\"" + spaced + L"\" /n \"x y\""), REG_NONE, {}},
      {L"PF.EXE", REG_EXPAND_SZ, text(L"\"%ProgramFiles%\\Tool\\tool.exe\" /x"), REG_EXPAND_SZ,
       text(L"%ProgramFiles%\\Tool;")},
      {L"SR.EXE", REG_EXPAND_SZ, text(L"%SystemRoot%\\notepad.exe"), REG_SZ, text(L"%SYSTEMROOT%")},
      {L"OTHERVAR.EXE", REG_EXPAND_SZ, text(L"%CommonProgramFiles%\\x\\y.exe"), REG_EXPAND_SZ,
       text(L"%CommonProgramFiles%\\Tool;")},
      {L"TAB.EXE", REG_SZ, text(L"C:\\T\\app.exe\t/flag"), REG_SZ, text(L"C:\\Dir;")},
      {L"UNTERMINATED.EXE", REG_SZ, {L'C', L':', L'\\', L'u'}, REG_SZ, {L'C', L':'}},
      {L"MULTIPATH.EXE", REG_SZ, text(app), REG_MULTI_SZ, {L'a', 0, L'b', 0, 0}},
      {L"NUMBERPATH.EXE", REG_SZ, text(app), REG_DWORD, numberData},
      {L"BINARYPATH.EXE", REG_SZ, text(app), REG_BINARY, {0x4241, 0x44}},
      {L"NUMBER.EXE", REG_DWORD, numberData, REG_NONE, {}},
      {L"VICTIM.EXE", REG_SZ, text(app), REG_SZ, text(L"C:\\Victim;")},
      {L"VICTIM.EXE\tX", REG_SZ, text(L"C:\\odd.exe"), REG_NONE, {}},
  };
  for (const Case& c : cases) {
    PutRawValue(c.key, L"Extra", REG_SZ, L"x", 4);
    const auto put = [&](const wchar_t* name, DWORD type, const std::vector<wchar_t>& data) {
      if (type != REG_NONE)
        PutRawValue(c.key, name, type, data.data(), static_cast<DWORD>(data.size() * 2));
    };
    put(L"", c.installationType, c.installation);
    put(L"Path", c.directoryType, c.directory);
  }
  const auto before = Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L""));
  ASSERT_TRUE(before);
  OpenWindow();

  for (int row = 0; row < List().Count(); ++row) {
    ASSERT_TRUE(List().Select(row));
    root_->LoadSelectedRow();
    EXPECT_EQ(Save(), SaveResult::Saved) << Narrow(List().Text(row));
  }
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(L"")), before);
  EXPECT_EQ(List().Count(), static_cast<int>(cases.size()));

  // An edited box writes its text; the other value keeps its type and bytes.
  SelectRow(L"Pf.exe");
  Text3().SetText(L"%ProgramFiles%\\Neu;");
  ASSERT_EQ(Save(), SaveResult::Saved);
  EXPECT_EQ(TypeOf(L"PF.EXE", L"Path"), static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(ReadText(L"PF.EXE", L"Path"), L"%ProgramFiles%\\Neu;");
  EXPECT_EQ(TypeOf(L"PF.EXE", L""), static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(ReadText(L"PF.EXE", L""), L"\"%ProgramFiles%\\Tool\\tool.exe\" /x");
  SelectRow(L"Multipath.exe");
  Text2().SetText(spaced);
  ASSERT_EQ(Save(), SaveResult::Saved);
  EXPECT_EQ(TypeOf(L"MULTIPATH.EXE", L"Path"), static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(ReadText(L"VICTIM.EXE", L"Path"), L"C:\\Victim;");
}

// A save with no row selected updates the row of its entry, found by identity, not by a text
// that another row may show too.
TEST_F(SaveEntryTest, SaveWithoutASelectedRowUpdatesTheRowOfItsEntry) {
  const std::wstring app = MakeFile(L"app.exe");
  PutRegistration(L"TOOL.EXE", L"C:\\Old\\tool.exe");
  PutRegistration(L"OTHER.EXE", L"Tool.exe");  // a row whose cell reads like the saved name
  OpenWindow();
  SelectRow(L"Tool.exe");
  ASSERT_TRUE(List().Select(-1));
  Text2().SetText(app);

  ASSERT_EQ(Save(), SaveResult::Saved);

  EXPECT_EQ(ReadText(L"TOOL.EXE", L""), app);
  EXPECT_EQ(ReadText(L"OTHER.EXE", L""), L"Tool.exe");
  const int row = RowOf(L"Tool.exe");
  EXPECT_EQ(List().SelectedIndex(), row);
  EXPECT_EQ(List().Text(row, EntryListView::kColumnInstallation), app);
  EXPECT_EQ(ImageKey(row), L"Ready");
  EXPECT_EQ(WindowText(root_->LabFileError()), L" 1 fehlerhafter Eintrag");
}

}  // namespace
