// "Vergleichen mit ..." and the start-up's question about the previous backup, on the real
// window, Wine's registry and its own regedit.exe: the differences named, a restore brought back
// byte for byte and undone again from its undo file.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/AppPathsFile.h"
#include "catalogue/Scan.h"
#include "commands/Commands.h"
#include "platform/Others.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "support/RootFixture.h"
#include "texts/CommandLineTexts.h"
#include "texts/CompareTexts.h"
#include "texts/Texts.h"

namespace {

namespace fs = std::filesystem;
using Registry::KeyTree;

std::vector<uint8_t> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// regedit.exe of the Windows folder with `arguments`; true when it ended well.
bool Regedit(const std::wstring& arguments) {
  const std::wstring editor = RegistryEditorPath();
  std::optional<UniqueHandle> process =
      StartProgram(editor, L"\"" + editor + L"\" " + arguments, L"", SW_HIDE);
  DWORD exitCode = 1;
  return process && WaitForProcess(process->get(), 60, &exitCode) && exitCode == 0;
}

std::optional<KeyTree> MachineKeys() {
  return Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
}

const KeyTree* SubKey(const KeyTree& tree, const std::wstring& name) {
  for (const KeyTree& key : tree.subKeys)
    if (key.name == name) return &key;
  return nullptr;
}

// A REG_SZ text's bytes, terminator included, as the registry editor stores a "text".
std::vector<uint8_t> TextBytes(const std::wstring& text) {
  const auto* begin = reinterpret_cast<const uint8_t*>(text.c_str());
  return {begin, begin + (text.size() + 1) * sizeof(wchar_t)};
}

class CompareEntriesTest : public RootFixture {
 protected:
  void WindowOpened() override { InstallCommands(*root_); }

  // Three registrations, one of them with a sub-key, as a machine holds them.
  void PutThree() {
    PutRegistration(L"FINE.EXE", L"C:\\Tools\\fine.exe", L"C:\\Tools;");
    PutRegistration(L"GONE.EXE", L"C:\\Gone\\gone.exe", L"C:\\Gone;");
    PutRawValue(L"GONE.EXE\\Sub", L"Inner", REG_BINARY, "\x01\x02", 2);
    PutRegistration(L"TYPE.EXE", L"%ProgramFiles%\\type.exe");
  }

  // One added, one removed, one changed in its default value's type only.
  void ChangeThree() {
    PutRegistration(L"NEW.EXE", L"C:\\New\\new.exe");
    ASSERT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"GONE.EXE").c_str()), ERROR_SUCCESS);
    const std::vector<uint8_t> data = TextBytes(L"%ProgramFiles%\\type.exe");
    PutRawValue(L"TYPE.EXE", L"", REG_EXPAND_SZ, data.data(), static_cast<DWORD>(data.size()));
  }

  // The rows of a reading the command asked for, once it is shown.
  void AwaitRows() {
    for (const ULONGLONG end = GetTickCount64() + 10000; root_->Reading() && GetTickCount64() < end;) {
      MSG message{};
      if (PeekMessageW(&message, root_->Handle(), 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
      else
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }

  std::vector<fs::path> UndoFiles() const {
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(folder_))
      if (item.path().filename().wstring().rfind(Texts::kRestoreUndoPrefix, 0) == 0)
        files.push_back(item.path());
    return files;
  }
};

TEST_F(CompareEntriesTest, NamesWhatChangedSinceAnExportAndRestoresItByteForByteWithAWayBack) {
  PutThree();
  OpenWindow();
  const fs::path exported = folder_ / L"export.reg";
  ASSERT_TRUE(root_->StartRegistryExport(exported.wstring(), AppPathsKeyName(Scope::Machine)));
  const AppPathsReading file = ReadAppPathsFile(Bytes(exported));
  ASSERT_EQ(file.problem, RegFile::ReadProblem::None) << file.line;
  ChangeThree();
  FillList();
  ASSERT_EQ(RowOf(L"Gone.exe"), -1);
  const std::optional<KeyTree> beforeRestore = MachineKeys();
  prompts_.openAnswers = {exported.wstring()};
  prompts_.restoreAnswers = {std::vector<bool>{true, true, true}};  // the added one is refused

  ASSERT_TRUE(root_->RunCommand(Command::Vergleichen));

  ASSERT_EQ(prompts_.openRequests.size(), 1u);
  EXPECT_EQ(prompts_.openRequests[0].title, Texts::kCompareTitle);
  ASSERT_EQ(prompts_.restoreOffers.size(), 1u);
  EXPECT_EQ(prompts_.restoreOffers[0].first, exported.wstring());
  const std::vector<DifferenceRow>& rows = prompts_.restoreOffers[0].second;
  ASSERT_EQ(rows.size(), 3u);
  const struct {
    const wchar_t* name;
    const wchar_t* change;
    const wchar_t* parts;
    RowOffer offer;
  } expected[] = {{L"GONE.EXE", L"entfernt", L"", RowOffer::Restorable},
                  {L"NEW.EXE", L"hinzugefügt", L"", RowOffer::None},
                  {L"TYPE.EXE", L"geändert", L"(Standard)", RowOffer::Restorable}};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].scope, L"Computer");
    EXPECT_EQ(rows[i].name, expected[i].name);
    EXPECT_EQ(rows[i].change, expected[i].change);
    EXPECT_EQ(rows[i].parts, expected[i].parts);
    EXPECT_EQ(rows[i].offer, expected[i].offer);
  }

  // The restored keys hold exactly what the file holds; the added one stays.
  const std::optional<KeyTree> now = MachineKeys();
  ASSERT_TRUE(now && file.keys.machine);
  for (const wchar_t* name : {L"GONE.EXE", L"TYPE.EXE", L"FINE.EXE"}) {
    ASSERT_NE(SubKey(*now, name), nullptr) << Narrow(name);
    EXPECT_EQ(*SubKey(*now, name), *SubKey(*file.keys.machine, name)) << Narrow(name);
  }
  EXPECT_TRUE(RegistrationExists(L"NEW.EXE"));
  const std::vector<fs::path> undo = UndoFiles();
  ASSERT_EQ(undo.size(), 1u);
  ASSERT_FALSE(prompts_.messages.empty());
  EXPECT_EQ(prompts_.messages.back().text,
            L"2" + std::wstring(Texts::kRestoreDone) + L"\n" + undo[0].wstring());
  AwaitRows();
  EXPECT_NE(RowOf(L"Gone.exe"), -1);

  // The registry editor undoes the restore from its undo file.
  ASSERT_TRUE(Regedit(L"/s \"" + undo[0].wstring() + L"\""));
  EXPECT_EQ(MachineKeys(), beforeRestore);
}

// A file the reader refuses or cannot open is named with why; no dialog, nothing written.
TEST_F(CompareEntriesTest, RefusedOrUnreadableFileIsNamedAndNothingIsWritten) {
  PutThree();
  const fs::path outside = folder_ / L"outside.reg";
  WriteText(outside,
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"x\"=\"y\"\r\n");
  const fs::path missing = folder_ / L"missing.reg";
  const struct {
    fs::path file;
    std::wstring text;
  } cases[] = {
      {outside, std::wstring(Texts::kCompareFileRefused) + L"\n" + outside.wstring() +
                    L"\nZeile 3: " +
                    Texts::RegFileProblem(RegFile::ReadProblem::KeyOutsideAppPaths)},
      {missing, std::wstring(Texts::kCompareFileUnreadable) + L"\n" + missing.wstring() + L"\n" +
                    SystemMessage(ERROR_FILE_NOT_FOUND)},
  };
  OpenWindow();
  const std::optional<KeyTree> before = MachineKeys();
  for (const auto& c : cases) {
    prompts_.messages.clear();
    prompts_.openAnswers = {c.file.wstring()};
    ASSERT_TRUE(root_->RunCommand(Command::Vergleichen));
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, c.text);
    EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  }
  EXPECT_TRUE(prompts_.restoreOffers.empty());
  EXPECT_EQ(MachineKeys(), before);
  EXPECT_TRUE(UndoFiles().empty());
}

// As in the clean-up: a protected name and the machine's key without rights are not offered.
TEST_F(CompareEntriesTest, ProtectedAndReadOnlyRowsAreNotOffered) {
  const fs::path file = folder_ / L"file.reg";
  WriteText(file,
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OTHER.EXE]\r\n"
            "@=\"C:\\\\other.exe\"\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\SETUP.EXE]\r\n"
            "@=\"C:\\\\setup.exe\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MINE.EXE]\r\n"
            "@=\"C:\\\\mine.exe\"\r\n");
  Deny(L"", KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
  OpenWindow();
  prompts_.openAnswers = {file.wstring()};
  prompts_.restoreAnswers = {std::vector<bool>{true, true, true}};

  ASSERT_TRUE(root_->RunCommand(Command::Vergleichen));

  ASSERT_EQ(prompts_.restoreOffers.size(), 1u);
  const std::vector<DifferenceRow>& rows = prompts_.restoreOffers[0].second;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].change, L"entfernt, nur Lesen");
  EXPECT_EQ(rows[0].offer, RowOffer::Refused);
  EXPECT_EQ(rows[1].change, L"entfernt, geschützt");
  EXPECT_EQ(rows[1].offer, RowOffer::Refused);
  EXPECT_EQ(rows[2].scope, L"Benutzer");
  EXPECT_EQ(rows[2].offer, RowOffer::Restorable);
  EXPECT_FALSE(RegistrationExists(L"OTHER.EXE"));
  EXPECT_FALSE(RegistrationExists(L"SETUP.EXE"));
  const std::optional<Registry::RawValue> mine =
      StoredValue(HKEY_CURRENT_USER, KeyPath(L"MINE.EXE"), L"");
  ASSERT_TRUE(mine);
  EXPECT_EQ(mine->data, TextBytes(L"C:\\mine.exe"));
}

// The question counts what changed since the backup; Cancel shows it and asks again; Yes and No
// do to the backup what they always did.
TEST_F(CompareEntriesTest, StartupQuestionCountsTheChangesSinceThePreviousBackup) {
  const fs::path backup = folder_ / L"AppBackup.reg";
  const std::string previous =
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\GONE.EXE]\r\n"
      "@=\"C:\\\\gone.exe\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\LOST.EXE]\r\n"
      "@=\"C:\\\\lost.exe\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TYPE.EXE]\r\n"
      "@=\"%ProgramFiles%\\\\type.exe\"\r\n";
  const std::wstring question =
      Texts::BackupChanges({3, 2, 1}) + L"\n" + Texts::kBackupOverwriteQuestion + L"\n" +
      backup.wstring() + L"\n \n" + Texts::kBackupAdvice1 + L"\n" + Texts::kBackupAdvice2 +
      L"\n \n" + Texts::kBackupShowChangesHint;
  const struct {
    std::vector<int> answers;
    size_t questions;
    bool rewritten;
  } cases[] = {{{IDCANCEL, IDNO}, 2, false}, {{IDYES}, 1, true}};
  for (const auto& c : cases) {
    PutRegistration(L"NEW.EXE", L"C:\\new.exe");
    PutRegistration(L"NEWER.EXE", L"C:\\newer.exe");
    PutRegistration(L"NEWEST.EXE", L"C:\\newest.exe");
    const std::vector<uint8_t> data = TextBytes(L"%ProgramFiles%\\type.exe");
    PutRawValue(L"TYPE.EXE", L"", REG_EXPAND_SZ, data.data(), static_cast<DWORD>(data.size()));
    WriteText(backup, previous);
    prompts_ = ScriptedPrompts();
    prompts_.messageAnswers.assign(c.answers.begin(), c.answers.end());
    ASSERT_TRUE(Create(false));
    InstallCommands(*root_);
    root_->Startup();

    ASSERT_EQ(prompts_.messages.size(), c.questions);
    for (const AskedMessage& asked : prompts_.messages) {
      EXPECT_EQ(asked.text, question);
      EXPECT_EQ(asked.flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONWARNING));
    }
    EXPECT_EQ(prompts_.restoreOffers.size(), c.questions - 1);
    if (!prompts_.restoreOffers.empty()) {
      EXPECT_EQ(prompts_.restoreOffers[0].second.size(), 6u);
    }
    const std::vector<uint8_t> now = Bytes(backup);
    EXPECT_EQ(now != std::vector<uint8_t>(previous.begin(), previous.end()), c.rewritten);
    root_.reset();
  }
}

}  // namespace
