// "Vergleichen mit ..." and the start-up's question about the previous backup, on the real
// window, Wine's registry and its own regedit.exe: the differences named, a restore brought back
// byte for byte and undone again from its undo file.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
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

// An ANSI registration file: each key's default value a plain text ("HKLM\\NAME=text").
std::string RegFileText(const std::vector<std::string>& keys) {
  std::string text = "REGEDIT4\r\n";
  for (const std::string& key : keys) {
    const size_t at = key.find('=');
    text += std::string("\r\n[") + (key[2] == 'C' ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE") +
            "\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths" +
            key.substr(4, at - 4) + "]\r\n@=\"" + key.substr(at + 1) + "\"\r\n";
  }
  return text;
}

std::optional<KeyTree> MachineKeys() {
  return Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
}

const KeyTree* SubKey(const std::optional<KeyTree>& tree, const std::wstring& name) {
  for (const KeyTree& key : tree->subKeys)
    if (key.name == name) return &key;
  return nullptr;
}

// A REG_SZ text's bytes, terminator included, as the registry editor stores a "text".
std::vector<uint8_t> TextBytes(const std::wstring& text) {
  const auto* begin = reinterpret_cast<const uint8_t*>(text.c_str());
  return {begin, begin + (text.size() + 1) * sizeof(wchar_t)};
}

// "scope|name|change|parts|offer" per row.
std::vector<std::wstring> Described(const std::vector<DifferenceRow>& rows) {
  std::vector<std::wstring> lines;
  for (const DifferenceRow& r : rows)
    lines.push_back(r.scope + L"|" + r.name + L"|" + r.change + L"|" + r.parts + L"|" +
                    std::to_wstring(static_cast<int>(r.offer)));
  return lines;
}

class CompareEntriesTest : public RootFixture {
 protected:
  void WindowOpened() override { InstallCommands(*root_); }

  // The default value's type changed only: REG_SZ to REG_EXPAND_SZ, the same bytes.
  void RetypeDefault(const std::wstring& key, const std::wstring& text) {
    const std::vector<uint8_t> data = TextBytes(text);
    PutRawValue(key, L"", REG_EXPAND_SZ, data.data(), static_cast<DWORD>(data.size()));
  }

  // The rows of a reading the command asked for, once it is shown.
  void AwaitRows() {
    const ULONGLONG end = GetTickCount64() + 10000;
    while (root_->Reading() && GetTickCount64() < end) {
      MSG m{};
      if (PeekMessageW(&m, root_->Handle(), 0, 0, PM_REMOVE)) DispatchMessageW(&m);
      else Sleep(10);
    }
  }
};

TEST_F(CompareEntriesTest, NamesWhatChangedSinceAnExportAndRestoresItByteForByteWithWaysBack) {
  PutRegistration(L"FINE.EXE", L"C:\\Tools\\fine.exe", L"C:\\Tools;");
  PutRegistration(L"GONE.EXE", L"C:\\Gone\\gone.exe", L"C:\\Gone;");
  PutRawValue(L"GONE.EXE\\Sub", L"Inner", REG_BINARY, "\x01\x02", 2);
  PutRegistration(L"TYPE.EXE", L"%ProgramFiles%\\type.exe");
  OpenWindow();
  const fs::path exported = folder_ / L"export.reg";
  ASSERT_TRUE(root_->StartRegistryExport(exported.wstring(), AppPathsKeyName(Scope::Machine)));
  const AppPathsReading file = ReadAppPathsFile(Bytes(exported));
  ASSERT_TRUE(file.keys.machine) << file.line;
  PutRegistration(L"NEW.EXE", L"C:\\New\\new.exe");
  ASSERT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"GONE.EXE").c_str()), ERROR_SUCCESS);
  RetypeDefault(L"TYPE.EXE", L"%ProgramFiles%\\type.exe");
  FillList();
  ASSERT_EQ(RowOf(L"Gone.exe"), -1);
  const std::optional<KeyTree> beforeRestore = MachineKeys();
  prompts_.openAnswers = {exported.wstring()};
  prompts_.restoreAnswers = {std::vector<bool>{true, true, true}};  // the added one is refused

  ASSERT_TRUE(root_->RunCommand(Command::Vergleichen));

  ASSERT_EQ(prompts_.restoreOffers.size(), 1u);
  EXPECT_EQ(prompts_.openRequests.at(0).title, Texts::kCompareTitle);
  EXPECT_EQ(prompts_.restoreOffers[0].first, exported.wstring());
  EXPECT_EQ(Described(prompts_.restoreOffers[0].second),
            (std::vector<std::wstring>{L"Computer|GONE.EXE|entfernt||1",
                                       L"Computer|NEW.EXE|hinzugefügt||0",
                                       L"Computer|TYPE.EXE|geändert|(Standard)|1"}));
  // The restored keys hold exactly what the file holds; the added one stays.
  const std::optional<KeyTree> now = MachineKeys();
  for (const wchar_t* name : {L"GONE.EXE", L"TYPE.EXE", L"FINE.EXE"}) {
    ASSERT_NE(SubKey(now, name), nullptr) << Narrow(name);
    EXPECT_EQ(*SubKey(now, name), *SubKey(file.keys.machine, name)) << Narrow(name);
  }
  EXPECT_TRUE(RegistrationExists(L"NEW.EXE"));
  std::vector<fs::path> undo;  // the restore's, beside AppBackup.reg
  for (const auto& item : fs::directory_iterator(folder_))
    if (item.path().filename().wstring().rfind(Texts::kRestoreUndoPrefix, 0) == 0)
      undo.push_back(item);
  ASSERT_EQ(undo.size(), 1u);
  EXPECT_EQ(prompts_.messages.at(0).text,
            L"2" + std::wstring(Texts::kRestoreDone) + L"\n" + undo[0].wstring());
  AwaitRows();
  EXPECT_NE(RowOf(L"Gone.exe"), -1);

  // "Rückgängig" takes the restore back, and so does the registry editor from its undo file.
  ASSERT_TRUE(root_->RunCommand(Command::Rückgängig));
  EXPECT_EQ(MachineKeys(), beforeRestore);
  EXPECT_EQ(prompts_.messages.size(), 1u) << "an undo that worked says nothing";

  const std::wstring editor = RegistryEditorPath();
  std::optional<UniqueHandle> process = StartProgram(
      editor, L"\"" + editor + L"\" /s \"" + undo[0].wstring() + L"\"", L"", SW_HIDE);
  ASSERT_TRUE(process && WaitForProcess(process->get(), 60));
  EXPECT_EQ(MachineKeys(), beforeRestore);
}

// A file the reader refuses or cannot open is named with why; no dialog, nothing written.
TEST_F(CompareEntriesTest, RefusedOrUnreadableFileIsNamedAndNothingIsWritten) {
  PutRegistration(L"FINE.EXE", L"C:\\Tools\\fine.exe");
  const fs::path outside = folder_ / L"outside.reg";
  std::ofstream(outside, std::ios::binary)
      << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n";
  const fs::path missing = folder_ / L"missing.reg";
  const struct {
    fs::path file;
    std::wstring why;
  } cases[] = {
      {outside, std::wstring(Texts::kCompareFileRefused) + L"\n" + outside.wstring() +
                    L"\nZeile 3: " +
                    Texts::RegFileProblem(RegFile::ReadProblem::KeyOutsideAppPaths)},
      {missing, std::wstring(Texts::kCompareFileUnreadable) + L"\n" + missing.wstring() + L"\n" +
                    SystemMessage(ERROR_FILE_NOT_FOUND)}};
  OpenWindow();
  const std::optional<KeyTree> before = MachineKeys();
  for (const auto& c : cases) {
    prompts_.messages.clear();
    prompts_.openAnswers = {c.file.wstring()};
    ASSERT_TRUE(root_->RunCommand(Command::Vergleichen));
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, c.why);
    EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  }
  EXPECT_TRUE(prompts_.restoreOffers.empty());
  EXPECT_EQ(MachineKeys(), before);
}

// As in the clean-up: a protected name and the machine's key without rights are not offered.
TEST_F(CompareEntriesTest, ProtectedAndReadOnlyRowsAreNotOffered) {
  const fs::path file = folder_ / L"file.reg";
  std::ofstream(file, std::ios::binary)
      << RegFileText({"HKLM\\OTHER.EXE=other", "HKLM\\SETUP.EXE=setup", "HKCU\\MINE.EXE=mine"});
  Deny(L"", KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
  OpenWindow();
  prompts_.openAnswers = {file.wstring()};
  prompts_.restoreAnswers = {std::vector<bool>{true, true, true}};

  ASSERT_TRUE(root_->RunCommand(Command::Vergleichen));

  ASSERT_EQ(prompts_.restoreOffers.size(), 1u);
  EXPECT_EQ(Described(prompts_.restoreOffers[0].second),
            (std::vector<std::wstring>{L"Computer|OTHER.EXE|entfernt, nur Lesen||2",
                                       L"Computer|SETUP.EXE|entfernt, geschützt||2",
                                       L"Benutzer|MINE.EXE|entfernt||1"}));
  EXPECT_FALSE(RegistrationExists(L"OTHER.EXE"));
  EXPECT_FALSE(RegistrationExists(L"SETUP.EXE"));
  EXPECT_EQ(StoredValue(HKEY_CURRENT_USER, KeyPath(L"MINE.EXE"), L"")->data, TextBytes(L"mine"));
}

// The question counts what changed since the backup; Cancel shows it and asks again; Yes and No
// do to the backup what they always did.
TEST_F(CompareEntriesTest, StartupQuestionCountsTheChangesSinceThePreviousBackup) {
  const fs::path backup = folder_ / L"AppBackup.reg";
  const std::string previous =
      RegFileText({"HKLM\\GONE.EXE=gone", "HKLM\\LOST.EXE=lost", "HKLM\\TYPE.EXE=type"});
  const std::wstring question =
      Texts::BackupChanges({3, 2, 1}) + L"\n" + Texts::kBackupOverwriteQuestion + L"\n" +
      backup.wstring() + L"\n \n" + Texts::kBackupAdvice1 + L"\n" + Texts::kBackupAdvice2 +
      L"\n \n" + Texts::kBackupShowChangesHint;
  const struct {
    std::deque<int> answers;
    size_t questions;
    bool rewritten;
  } cases[] = {{{IDCANCEL, IDNO}, 2, false}, {{IDYES}, 1, true}};
  for (const auto& c : cases) {
    for (const wchar_t* added : {L"NEW.EXE", L"NEWER.EXE", L"NEWEST.EXE"})
      PutRegistration(added, L"x");
    RetypeDefault(L"TYPE.EXE", L"type");
    std::ofstream(backup, std::ios::binary) << previous;
    prompts_ = ScriptedPrompts();
    prompts_.messageAnswers = c.answers;
    ASSERT_TRUE(Create(false));
    InstallCommands(*root_);
    root_->Startup();

    ASSERT_EQ(prompts_.messages.size(), c.questions);
    for (const AskedMessage& asked : prompts_.messages) {
      EXPECT_EQ(asked.text, question);
      EXPECT_EQ(asked.flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONWARNING));
    }
    ASSERT_EQ(prompts_.restoreOffers.size(), c.questions - 1);
    for (const auto& offer : prompts_.restoreOffers) EXPECT_EQ(offer.second.size(), 6u);
    EXPECT_EQ(Bytes(backup) != std::vector<uint8_t>(previous.begin(), previous.end()), c.rewritten);
    root_.reset();
  }
}

}  // namespace
