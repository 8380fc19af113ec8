// Taking changes back against Wine's registry: each command's change, made here as the command
// makes it, is recorded and undone, and both App Paths keys must then be byte for byte as before.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/ChangeJournal.h"
#include "catalogue/Scan.h"
#include "platform/Registry.h"
#include "support/AppPathsFixture.h"

using Registry::KeyTree;
using Registry::RawValue;

namespace {

namespace fs = std::filesystem;

struct Key {
  Scope scope;
  std::wstring name;
};

const RawValue kMulti{L"Path", REG_MULTI_SZ, {'C', 0, ':', 0, 0, 0, 'D', 0, 0, 0, 0, 0}};
const RawValue kDword{L"UseUrl", REG_DWORD, {1, 0, 0, 0}};
const RawValue kProgram = Registry::TextValue(L"", L"%ProgramFiles%\\a.exe", REG_EXPAND_SZ);

class UndoTest : public AppPathsFixture {
 protected:
  void SetUp() override {
    AppPathsFixture::SetUp();
    RegDeleteTreeW(HKEY_CURRENT_USER, Registry::kAppPathsKey);
    Registry::CreateKey(HKEY_CURRENT_USER, Registry::kAppPathsKey, L"");
    for (const Scope scope : {Scope::Machine, Scope::User}) {
      Registry::WriteKeyTree(RootOf(scope), EntryKeyPath(L"APP.EXE"),
                             {L"", {kProgram, kMulti, kDword}, {{L"Sub", {kDword}, {}}}});
      Registry::WriteKeyTree(RootOf(scope), EntryKeyPath(L"GONE.EXE"),
                             {L"", {kDword, kProgram}, {}});
    }
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = fs::path(temp) / (L"velmarin-undo-" + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    AppPathsFixture::TearDown();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  static std::vector<std::optional<KeyTree>> Both() {
    return {Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey),
            Registry::ReadKeyTree(HKEY_CURRENT_USER, Registry::kAppPathsKey)};
  }
  static std::optional<KeyTree> Now(const Key& key) {
    return Registry::ReadKeyTree(RootOf(key.scope), EntryKeyPath(key.name));
  }
  // Reads the keys, lets `change` do what the command does, and gives the journal's entry.
  static JournalEntry Record(JournalAction action, const std::vector<Key>& keys,
                             const std::function<void()>& change) {
    JournalRecorder recorder(action);
    for (const Key& key : keys) EXPECT_TRUE(recorder.Before(key.scope, key.name));
    change();
    std::optional<JournalEntry> entry = recorder.After();
    EXPECT_TRUE(entry);
    return entry.value_or(JournalEntry{});
  }
  static void Remove(const Key& key) {
    Registry::DeleteKeyTree(RootOf(key.scope), EntryKeyPath(key.name));
  }
  static void Create(const Key& key) {
    Registry::CreateKey(RootOf(key.scope), EntryKeyPath(key.name), L"1");
  }
  static void Set(const Key& key, const RawValue& value) {
    ASSERT_TRUE(Registry::SetRawValue(RootOf(key.scope), EntryKeyPath(key.name), value));
  }
  // What the rename does: the new key (replaced, when there was one) gets everything, the old
  // one goes.
  static void Rename(const Key& from, const Key& to) {
    Remove(to);
    Create(to);
    Registry::WriteKeyTree(RootOf(to.scope), EntryKeyPath(to.name), *Now(from));
    Remove(from);
  }
  std::wstring journalPath() const { return (folder_ / L"Velmarin" / L"Journal.dat").wstring(); }

  fs::path folder_;
};

const Key kApp{Scope::Machine, L"APP.EXE"};
const Key kGone{Scope::Machine, L"GONE.EXE"};
const Key kUserGone{Scope::User, L"GONE.EXE"};
const Key kNew{Scope::Machine, L"NEW.EXE"};

}  // namespace

TEST_F(UndoTest, EveryCommandsChangeIsKeptWholeAndComesBackByteForByte) {
  const RawValue kTyped = Registry::TextValue(L"Path", L"C:\\D");
  const RawValue kProgram2 = Registry::TextValue(L"", L"b.exe");
  const struct {
    JournalAction action;
    std::vector<Key> keys;
    std::function<void()> change;
  } cases[] = {
      {JournalAction::Delete, {kApp}, [] { Remove(kApp); }},
      {JournalAction::Rename, {kApp, kNew}, [] { Rename(kApp, kNew); }},
      {JournalAction::Save, {kApp}, [&] { Set(kApp, kTyped); Set(kApp, kProgram2); }},
      {JournalAction::Save, {kGone}, [&] { Set(kGone, kTyped); }},
      {JournalAction::NewEntry, {kNew}, [&] { Create(kNew); Set(kNew, kTyped); }},
      {JournalAction::CleanUp, {kGone, kUserGone}, [] { Remove(kGone); Remove(kUserGone); }},
      {JournalAction::Restore, {kNew}, [] { Create(kNew); Set(kNew, kMulti); Set(kNew, kDword); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.action));
    const auto before = Both();
    std::vector<std::optional<KeyTree>> kept;
    for (const Key& key : c.keys) kept.push_back(Now(key));
    const JournalEntry entry = Record(c.action, c.keys, c.change);
    ASSERT_EQ(entry.keys.size(), c.keys.size());
    for (size_t i = 0; i < c.keys.size(); ++i) {
      EXPECT_EQ(entry.keys[i].keyName, c.keys[i].name);
      EXPECT_EQ(entry.keys[i].before, kept[i]);
      EXPECT_EQ(entry.keys[i].after, Now(c.keys[i]));
    }
    ASSERT_NE(Both(), before);
    EXPECT_EQ(TakeBack(entry, {}).outcome, UndoOutcome::Done);
    EXPECT_EQ(Both(), before);
  }
}

TEST_F(UndoTest, RefusedUndosChangeNothingAndOnlyAnotherProgramsChangeMayBeOverruled) {
  const struct {
    Key key;
    UndoOptions options;
    UndoOutcome refused;
    bool overrulable;
  } cases[] = {
      {kApp, {}, UndoOutcome::ChangedSince, true},
      {{Scope::Machine, L"SETUP.EXE"}, {}, UndoOutcome::ProtectedName, false},
      {kGone, {false, true}, UndoOutcome::ReadOnlyScope, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.refused));
    const auto original = Both();
    const JournalEntry entry = Record(JournalAction::NewEntry, {c.key}, [&] {
      Remove(c.key);
      Create(c.key);
      Set(c.key, kDword);
    });
    Set(c.key, kMulti);  // another program
    const auto changed = Both();
    const UndoResult result = TakeBack(entry, c.options);
    EXPECT_EQ(result.outcome, c.refused);
    EXPECT_EQ(result.keyName, c.key.name);
    EXPECT_EQ(Both(), changed);
    UndoOptions confirmed = c.options;
    confirmed.overwriteChangesSince = true;
    EXPECT_EQ(TakeBack(entry, confirmed).done(), c.overrulable);
    EXPECT_EQ(Both(), c.overrulable ? original : changed);
  }
}

TEST_F(UndoTest, AFailedWritePutsBackEveryKeyItHadWritten) {
  Registry::WriteKeyTree(RootOf(kNew.scope), EntryKeyPath(kNew.name),
                         {L"", {kDword}, {{L"Sub", {kDword}, {}}}});
  const JournalEntry entry =
      Record(JournalAction::Rename, {kApp, kNew}, [] { Rename(kApp, kNew); });
  const auto renamed = Both();
  // The old name comes back first; the replaced key's values then cannot be written back.
  ASSERT_NO_FATAL_FAILURE(Deny(kNew.name, KEY_SET_VALUE));
  const UndoResult result = TakeBack(entry, {});
  EXPECT_EQ(result.outcome, UndoOutcome::WriteFailed);
  EXPECT_EQ(result.keyName, kNew.name);
  EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Both(), renamed);
}

TEST_F(UndoTest, AJournalReadAgainTakesBackNewestFirstAndADamagedOneIsReportedAndReplaced) {
  const auto original = Both();
  fs::create_directories(fs::path(journalPath()).parent_path());
  std::ofstream(fs::path(journalPath()), std::ios::binary) << "VMJOURNL kaputt";
  {
    ChangeJournal session(journalPath());
    EXPECT_EQ(session.Load().problem, JournalFileProblem::Damaged);
    EXPECT_EQ(session.NewestUndoable(), nullptr);
    const auto deleted = Record(JournalAction::Delete, {kGone}, [] { Remove(kGone); });
    EXPECT_TRUE(session.Record(deleted).ok());
    const auto renamed = Record(JournalAction::Rename, {kApp, kNew}, [] { Rename(kApp, kNew); });
    EXPECT_TRUE(session.Record(renamed).ok());
    EXPECT_FALSE(fs::exists(journalPath() + L".neu"));
  }
  for (const JournalAction expected : {JournalAction::Rename, JournalAction::Delete}) {
    ChangeJournal restarted(journalPath());
    ASSERT_TRUE(restarted.Load().ok());
    ASSERT_NE(restarted.NewestUndoable(), nullptr);
    EXPECT_EQ(restarted.NewestUndoable()->action, expected);
    JournalFileStatus file;
    EXPECT_TRUE(restarted.UndoNewest({}, file).done());
    EXPECT_TRUE(file.ok());
  }
  EXPECT_EQ(Both(), original);
  ChangeJournal last(journalPath());
  ASSERT_TRUE(last.Load().ok());
  JournalFileStatus file;
  EXPECT_EQ(last.UndoNewest({}, file).outcome, UndoOutcome::NothingToUndo);
  ASSERT_EQ(last.Entries().Entries().size(), 2u);

  ChangeJournal nowhere((folder_ / L"fehlt" / L"Velmarin" / L"Journal.dat").wstring());
  EXPECT_EQ(nowhere.Record({JournalAction::Save, {}}).problem, JournalFileProblem::Folder);
  EXPECT_NE(nowhere.NewestUndoable(), nullptr);  // kept for this session
  EXPECT_EQ(DefaultJournalPath(),
            _wgetenv(L"LOCALAPPDATA") + std::wstring(L"\\Velmarin\\Journal.dat"));
}
