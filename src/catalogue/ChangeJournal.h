#pragma once
// The session's journal of changes, in memory and in its file: what the window records after a
// command and takes back on "Rückgängig". An undo marks its change taken back in the file too,
// and is no change of its own (there is no redo).
#include <string>

#include "catalogue/Journal.h"
#include "catalogue/JournalFile.h"
#include "catalogue/Undo.h"

class ChangeJournal {
 public:
  explicit ChangeJournal(std::wstring path) : path_(std::move(path)) {}

  // Reads the file of earlier sessions. A file that cannot be read or is damaged leaves the
  // journal empty and is replaced by the next change recorded.
  JournalFileStatus Load();

  // Keeps the change, also when the file cannot be written (then it is lost at the close).
  JournalFileStatus Record(JournalEntry entry);

  // The change "Rückgängig" takes back; nothing when there is none left.
  const JournalEntry* NewestUndoable() const { return journal_.NewestUndoable(); }

  // Takes back the newest change. Only when that was done is it marked taken back (and the file
  // written, `file` telling how that went).
  UndoResult UndoNewest(const UndoOptions& options, JournalFileStatus& file);

  const Journal& Entries() const { return journal_; }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
  Journal journal_;
};
