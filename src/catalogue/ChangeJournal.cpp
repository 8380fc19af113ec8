#include "catalogue/ChangeJournal.h"

JournalFileStatus ChangeJournal::Load() {
  LoadedJournal loaded = LoadJournalFile(path_);
  journal_ = Journal(std::move(loaded.entries));
  return loaded.status;
}

JournalFileStatus ChangeJournal::Record(JournalEntry entry) {
  journal_.Add(std::move(entry));
  return SaveJournalFile(path_, journal_.Entries());
}

UndoResult ChangeJournal::UndoNewest(const UndoOptions& options, JournalFileStatus& file) {
  file = {};
  const JournalEntry* newest = journal_.NewestUndoable();
  if (newest == nullptr) return UndoResult{UndoOutcome::NothingToUndo};
  const UndoResult result = TakeBack(*newest, options);
  if (!result.done()) return result;
  journal_.MarkNewestUndone();
  file = SaveJournalFile(path_, journal_.Entries());
  return result;
}
