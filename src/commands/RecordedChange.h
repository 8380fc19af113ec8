#pragma once
// A command's change kept in the journal, so that "Rückgängig" can take it back: the keys it
// will change are read whole before it writes, and again when it is done. Both readings, and
// the journal's file, are done off the window's thread.
#include <string>
#include <vector>

#include "catalogue/Undo.h"
#include "ui/CommandHost.h"

struct RecordedKey {
  Scope scope = Scope::Machine;
  std::wstring keyName;  // as stored, or as the command will store it
};

class RecordedChange {
 public:
  RecordedChange(CommandHost& host, JournalAction action) : host_(host), recorder_(action) {}

  // Reads the keys whole before the command writes. False, after telling the user, when one
  // cannot be read: the command must then change nothing, as it could not be taken back.
  bool Before(const std::vector<RecordedKey>& keys);
  bool Before(Scope scope, const std::wstring& keyName) { return Before({{scope, keyName}}); }

  // Reads the keys again and keeps those the command changed as one change of the journal
  // (nothing changed: nothing kept). Tells the user when the change cannot be taken back.
  void Finish();

 private:
  CommandHost& host_;
  JournalRecorder recorder_;
};

// A journal file that could not be written, said in German: `lead`, the file, the reason.
void TellJournalNotSaved(CommandHost& host, const wchar_t* lead, const JournalFileStatus& file);
