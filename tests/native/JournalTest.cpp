// The journal in memory and in its file's bytes, and the menu item that names its newest change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/JournalFormat.h"
#include "texts/UndoTexts.h"

using Registry::KeyTree;

namespace {

KeyTree Deep(int depth) {
  KeyTree tree{L"L" + std::to_wstring(depth), {}, {}};
  if (depth > 1) tree.subKeys.push_back(Deep(depth - 1));
  return tree;
}

const std::wstring kNulName(L"A\0B.EXE", 7);

const std::vector<JournalEntry> kAwkward = {
    {JournalAction::Delete,
     {{Scope::Machine, kNulName,
       KeyTree{kNulName,
               {{L"", 1, {}}, {std::wstring(L"v\0w", 3), 7, {0, 0}}, {L"odd", 1, {0x41}},
                {L"big", 3, std::vector<uint8_t>(70000, 0xA5)},
                {L"\xD83D\xDE00\xFFFF", 0xFFFFFFFF, {1, 2, 3}}},
               {KeyTree{L"", {}, {}}, Deep(511)}},
       std::nullopt}}},
    {JournalAction::Rename,
     {{Scope::User, L"OLD.EXE", KeyTree{L"OLD.EXE", {}, {}}, std::nullopt},
      {Scope::User, L"", std::nullopt, KeyTree{L"", {}, {}}}},
     true},
    {JournalAction::CleanUp, {}, false},
    {JournalAction::Restore, {{Scope::Machine, L"\r\n\t", {}, {}}}, true},
};

}  // namespace

TEST(JournalFormat, AwkwardTreesComeBackExactlyAndADamagedFileIsNeverTakenForAJournal) {
  for (size_t count = 0; count <= kAwkward.size(); ++count) {
    const std::vector<JournalEntry> entries(kAwkward.begin(), kAwkward.begin() + count);
    EXPECT_EQ(DecodeJournal(EncodeJournal(entries)), entries) << count;
  }
  const std::vector<JournalEntry> small(kAwkward.begin() + 1, kAwkward.end());
  const std::vector<uint8_t> whole = EncodeJournal(small);
  ASSERT_TRUE(DecodeJournal(whole));
  for (size_t length = 0; length < whole.size(); ++length)
    EXPECT_FALSE(DecodeJournal(std::vector<uint8_t>(whole.begin(), whole.begin() + length)))
        << length;
  for (size_t at = 0; at < whole.size(); ++at) {
    std::vector<uint8_t> damaged = whole;
    damaged[at] ^= 0x10;
    EXPECT_FALSE(DecodeJournal(damaged)) << at;
  }
  EXPECT_FALSE(DecodeJournal([&] { auto longer = whole; longer.push_back(0); return longer; }()));
  // Deeper than the registry nests keys: damage, however well-formed.
  const JournalKey tooDeep{Scope::User, L"X", Deep(513), std::nullopt};
  EXPECT_FALSE(DecodeJournal(EncodeJournal({{JournalAction::Save, {tooDeep}}})));
}

TEST(Journal, KeepsTheLastHundredTakesBackNewestFirstAndNamesItInTheMenu) {
  Journal journal;
  for (int i = 0; i < 103; ++i)
    journal.Add({JournalAction::Save, {{Scope::User, L"A" + std::to_wstring(i), {}, {}}}});
  ASSERT_EQ(journal.Entries().size(), Journal::kMaxEntries);
  EXPECT_EQ(journal.Entries().front().keys[0].keyName, L"A3");
  for (const wchar_t* expected : {L"Speichern A102", L"Speichern A101"}) {
    ASSERT_NE(journal.NewestUndoable(), nullptr);
    EXPECT_EQ(Texts::UndoSubject(*journal.NewestUndoable()), expected);
    EXPECT_TRUE(journal.MarkNewestUndone());
  }
  EXPECT_FALSE(Journal({{JournalAction::Delete, {}, true}}).MarkNewestUndone());
  // A rename is named by its old key (a TAB as its picture), a clean-up of several by number.
  const JournalKey old{Scope::User, L"ÜBER\tX.EXE", {}, {}}, other{Scope::Machine, L"B", {}, {}};
  EXPECT_EQ(Texts::UndoSubject({JournalAction::Rename, {old, other}}), L"Umbenennen Über\u2409x.exe");
  EXPECT_EQ(Texts::UndoSubject({JournalAction::CleanUp, {old, other}}), L"Bereinigen 2 Einträge");
}
