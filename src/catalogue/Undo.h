#pragma once
// Recording a command's change for the journal, and taking a change back. Nothing here asks or
// tells the user; the caller turns the results into questions and messages.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue/Journal.h"

// A command reads the keys it will touch before it changes anything, and again when done:
//   JournalRecorder recorder(JournalAction::Delete);
//   if (!recorder.Before(scope, keyName, &error)) ... refuse: no way back;
//   ... the command changes the registry ...
//   if (auto entry = recorder.After()) journal.Record(std::move(*entry));
class JournalRecorder {
 public:
  explicit JournalRecorder(JournalAction action) : action_(action) {}

  // Reads App Paths\keyName of the scope whole (a key that is not there is kept as such). False,
  // the Win32 code in `error`, when it is there but cannot be read whole, or the name addresses
  // no registration of its own (ERROR_INVALID_NAME).
  bool Before(Scope scope, const std::wstring& keyName, LONG* error = nullptr);

  // The change: each key as read before and as it is now. Nothing when the command changed
  // none of them (`error` ERROR_SUCCESS) or a key cannot be read now (`error` says why).
  std::optional<JournalEntry> After(LONG* error = nullptr) const;

 private:
  JournalAction action_;
  std::vector<JournalKey> keys_;
};

struct UndoOptions {
  bool machineWritable = true;        // the machine's App Paths key may be written
  bool overwriteChangesSince = false;  // the user chose to undo over another program's change
};

enum class UndoOutcome {
  Done,
  NothingToUndo,   // every change was taken back already (or there is none)
  ChangedSince,    // another program changed a key since the command: nothing done; ask first
  ProtectedName,   // it would remove WINNT32.EXE, INSTALL.EXE or SETUP.EXE: nothing done
  ReadOnlyScope,   // a machine key, and the machine's key may not be written: nothing done
  InvalidName,     // no registration's name, or one holding a NUL to be written: nothing done
  ReadFailed,      // a key could not be read: nothing done
  WriteFailed,     // a write failed; every key is back as it was before the undo
  RollbackFailed,  // a write failed, and not every key could be put back as it was before
};

struct UndoResult {
  UndoOutcome outcome = UndoOutcome::Done;
  // The key that stopped the undo (for ChangedSince the first one another program changed).
  Scope scope = Scope::Machine;
  std::wstring keyName;
  DWORD error = ERROR_SUCCESS;  // for ReadFailed, WriteFailed, RollbackFailed

  bool done() const { return outcome == UndoOutcome::Done; }
  bool operator==(const UndoResult&) const = default;
};

// Puts every key of `entry` back as it was before the change: a key the change removed comes
// back byte for byte, one it made goes, one it changed gets its values and sub-keys back. Keys
// are written back before any is removed, so a renamed key is never gone under both names.
UndoResult TakeBack(const JournalEntry& entry, const UndoOptions& options);
