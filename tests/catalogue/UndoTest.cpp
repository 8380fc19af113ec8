// Each command's change, made here as the command makes it, recorded and taken back byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <vector>

#include "catalogue/ChangeJournal.h"
#include "catalogue/Scan.h"
#include "platform/Registry.h"
#include "support/AppPathsFixture.h"

using Registry::KeyTree;
using Registry::RawValue;

namespace {

namespace fs = std::filesystem;
using Key = JournalKey;  // only scope and name

const RawValue kMulti{L"Path", REG_MULTI_SZ, {'C', 0, ':', 0, 0, 0, 'D', 0, 0, 0, 0, 0}};
const RawValue kDword{L"UseUrl", REG_DWORD, {1, 0, 0, 0}};
const RawValue kProgram = Registry::TextValue(L"", L"%ProgramFiles%\\a.exe", REG_EXPAND_SZ);

class UndoTest : public AppPathsFixture {
 protected:
  void SetUp() override {
    AppPathsFixture::SetUp();
    RegDeleteTreeW(HKEY_CURRENT_USER, Registry::kAppPathsKey);
    for (const Scope scope : {Scope::Machine, Scope::User}) {
      Write({scope, L"APP.EXE"}, {L"", {kProgram, kMulti, kDword}, {{L"Sub", {kDword}, {}}}});
      Write({scope, L"GONE.EXE"}, {L"", {kDword, kProgram}, {}});
    }
    fs::remove_all(kFolder);  // a journal of an earlier test
    fs::create_directories(kFolder);
  }

  static HKEY Root(const Key& k) { return RootOf(k.scope); }
  static std::wstring Path(const Key& k) { return EntryKeyPath(k.keyName); }
  static std::vector<std::optional<KeyTree>> Both() {
    return {Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey),
            Registry::ReadKeyTree(HKEY_CURRENT_USER, Registry::kAppPathsKey)};
  }
  static std::optional<KeyTree> Now(const Key& k) {
    return Registry::ReadKeyTree(Root(k), Path(k));
  }
  // Reads the keys, lets `change` do what the command does, and gives the journal's entry.
  static JournalEntry Record(JournalAction action, const std::vector<Key>& keys,
                             const std::function<void()>& change) {
    JournalRecorder recorder(action);
    for (const Key& k : keys) EXPECT_TRUE(recorder.Before(k.scope, k.keyName));
    change();
    return recorder.After().value_or(JournalEntry{});
  }
  static void Remove(const Key& k) { Registry::DeleteKeyTree(Root(k), Path(k)); }
  static void Create(const Key& k) { Registry::CreateKey(Root(k), Path(k), L"1"); }
  static void Write(const Key& k, const KeyTree& t) { Registry::WriteKeyTree(Root(k), Path(k), t); }
  static void Set(const Key& k, const RawValue& value) {
    ASSERT_TRUE(Registry::SetRawValue(Root(k), Path(k), value));
  }
  // As the rename does it: the new key (replaced, when there was one) gets everything first.
  static void Rename(const Key& from, const Key& to) {
    Remove(to);
    Create(to);
    Write(to, *Now(from));
    Remove(from);
  }

  const fs::path kFolder = fs::temp_directory_path() / L"velmarin-undo";
  const std::wstring journalPath = (kFolder / L"Velmarin" / L"Journal.dat").wstring();
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
    std::vector<JournalKey> kept;
    for (const Key& k : c.keys) kept.push_back({k.scope, k.keyName, Now(k)});
    const JournalEntry entry = Record(c.action, c.keys, c.change);
    for (JournalKey& k : kept) k.after = Now(k);
    EXPECT_EQ(entry.keys, kept);
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
    const auto made = [&] { Remove(c.key); Create(c.key); Set(c.key, kDword); };
    const JournalEntry entry = Record(JournalAction::NewEntry, {c.key}, made);
    Set(c.key, kMulti);  // another program
    const auto changed = Both();
    const UndoResult result = TakeBack(entry, c.options);
    EXPECT_EQ(result.outcome, c.refused);
    EXPECT_EQ(result.keyName, c.key.keyName);
    EXPECT_EQ(Both(), changed);
    UndoOptions confirmed = c.options;
    confirmed.overwriteChangesSince = true;
    EXPECT_EQ(TakeBack(entry, confirmed).done(), c.overrulable);
    EXPECT_EQ(Both(), c.overrulable ? original : changed);
  }
  // A key "APP.EXE<NUL>X" is read and removed by its counted name, never written.
  const Key nul{Scope::Machine, std::wstring(L"APP.EXE\0X", 9)};
  EXPECT_TRUE(JournalRecorder(JournalAction::Delete).Before(nul.scope, nul.keyName));
  const JournalEntry deleted{JournalAction::Delete, {{nul.scope, nul.keyName, KeyTree{}, {}}}};
  EXPECT_EQ(TakeBack(deleted, {}).outcome, UndoOutcome::InvalidName);
}

TEST_F(UndoTest, AFailedWritePutsBackEveryKeyItHadWritten) {
  Write(kNew, {L"", {kDword}, {{L"Sub", {kDword}, {}}}});
  const auto entry = Record(JournalAction::Rename, {kApp, kNew}, [] { Rename(kApp, kNew); });
  const auto renamed = Both();
  // The old name comes back first; the replaced key's values then cannot be written back.
  ASSERT_NO_FATAL_FAILURE(Deny(kNew.keyName, KEY_SET_VALUE));
  const UndoResult failed{UndoOutcome::WriteFailed, kNew.scope, kNew.keyName, ERROR_ACCESS_DENIED};
  EXPECT_EQ(TakeBack(entry, {}), failed);
  EXPECT_EQ(Both(), renamed);
}

TEST_F(UndoTest, AJournalReadAgainTakesBackNewestFirstAndADamagedOneIsReportedAndReplaced) {
  const auto original = Both();
  fs::create_directories(fs::path(journalPath).parent_path());
  std::ofstream(fs::path(journalPath), std::ios::binary) << "VMJOURNL kaputt";
  {
    ChangeJournal session(journalPath);
    EXPECT_EQ(session.Load().problem, JournalFileProblem::Damaged);
    EXPECT_EQ(session.NewestUndoable(), nullptr);
    EXPECT_TRUE(session.Record(Record(JournalAction::Delete, {kGone}, [] { Remove(kGone); })).ok());
    const auto renamed = Record(JournalAction::Rename, {kApp, kNew}, [] { Rename(kApp, kNew); });
    EXPECT_TRUE(session.Record(renamed).ok());
    EXPECT_FALSE(fs::exists(journalPath + L".neu"));
  }
  for (const JournalAction expected : {JournalAction::Rename, JournalAction::Delete}) {
    ChangeJournal restarted(journalPath);
    ASSERT_TRUE(restarted.Load().ok());
    ASSERT_NE(restarted.NewestUndoable(), nullptr);
    EXPECT_EQ(restarted.NewestUndoable()->action, expected);
    JournalFileStatus file;
    EXPECT_TRUE(restarted.UndoNewest({}, file).done());
    EXPECT_TRUE(file.ok());
  }
  EXPECT_EQ(Both(), original);
  ChangeJournal last(journalPath);
  ASSERT_TRUE(last.Load().ok());
  JournalFileStatus file;
  EXPECT_EQ(last.UndoNewest({}, file).outcome, UndoOutcome::NothingToUndo);
  EXPECT_EQ(last.Entries().Entries().size(), 2u);
  ChangeJournal nowhere((kFolder / L"fehlt" / L"Velmarin" / L"Journal.dat").wstring());
  EXPECT_EQ(nowhere.Record({JournalAction::Save, {}}).problem, JournalFileProblem::MakeFolder);
}
