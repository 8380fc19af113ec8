#pragma once
// The journal of the session's changes: for every change a command made, each key it touched as
// it was before and as the command left it, whole (values with type and bytes, sub-keys). That
// is all an undo needs to put the keys back exactly, and all it needs to see whether another
// program changed them since. Platform-free; the file is in JournalFile, the undo in Undo.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "platform/RegistryData.h"

// The command that made a change. The numbers are stored in the journal file: never reuse one.
enum class JournalAction : uint8_t {
  Delete = 1,
  Rename = 2,
  Save = 3,
  NewEntry = 4,
  CleanUp = 5,
  Restore = 6,
};

// One registration a command touched, addressed by its name as stored (counted, NUL included).
struct JournalKey {
  ::Scope scope = ::Scope::Machine;
  std::wstring keyName;
  std::optional<Registry::KeyTree> before;  // nothing: the key did not exist
  std::optional<Registry::KeyTree> after;   // nothing: the command removed it (or never made it)

  bool operator==(const JournalKey&) const = default;
};

// One change. A rename lists the old key first, then the new one; a clean-up every key it removed.
struct JournalEntry {
  JournalAction action = JournalAction::Save;
  std::vector<JournalKey> keys;
  bool undone = false;  // taken back already; an undo is never a change of its own

  bool operator==(const JournalEntry&) const = default;
};

// A stored key name as the undo's texts show it, like the list: Winword.exe, control characters
// as their pictures. The one place where a journal's name becomes what a person reads.
std::wstring ShownKeyName(std::wstring_view keyName);

// The registration a change is named by in the menu: its first key.
std::wstring ShownName(const JournalEntry& entry);

// The changes of this session and the sessions before, oldest first, at most kMaxEntries.
class Journal {
 public:
  static constexpr size_t kMaxEntries = 100;

  Journal() = default;
  explicit Journal(std::vector<JournalEntry> entries);

  // Adds the newest change; the oldest goes when there are more than kMaxEntries.
  void Add(JournalEntry entry);

  // The newest change not yet taken back; nothing when every change was (or there is none).
  const JournalEntry* NewestUndoable() const;
  // Marks that change taken back; false when there is none.
  bool MarkNewestUndone();

  const std::vector<JournalEntry>& Entries() const { return entries_; }

 private:
  std::vector<JournalEntry> entries_;
};
