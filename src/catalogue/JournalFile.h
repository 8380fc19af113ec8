#pragma once
// The journal of changes on the disk: %LOCALAPPDATA%\Velmarin\Journal.dat, so that a crash or a
// close does not lose the way back. It is replaced whole and never written in place: the new
// journal goes to a file beside it, which then takes the old one's place in one step.
#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/Journal.h"

enum class JournalFileProblem {
  None,
  Read,        // the file is there but could not be read
  Damaged,     // the file is not a whole journal (cut off, altered, another program's, too new)
  MakeFolder,  // the folder could not be created
  Write,       // the new journal could not be written beside the old one
  Replace,     // the new journal could not take the old one's place
};

struct JournalFileStatus {
  JournalFileProblem problem = JournalFileProblem::None;
  DWORD error = ERROR_SUCCESS;

  bool ok() const { return problem == JournalFileProblem::None; }
};

struct LoadedJournal {
  std::vector<JournalEntry> entries;  // empty unless the file was read whole
  JournalFileStatus status;
};

// Journal.dat in the folder the user's backup goes to (%LOCALAPPDATA%\Velmarin of the
// "Benutzer" scope's user); empty when that folder is not known.
std::wstring DefaultJournalPath();

// The journal at `path`. No file yet is no journal yet, not a problem.
LoadedJournal LoadJournalFile(const std::wstring& path);

// Writes `entries` as the journal at `path`, creating its folder when missing. On a failure the
// journal that was there stays as it was.
JournalFileStatus SaveJournalFile(const std::wstring& path,
                                  const std::vector<JournalEntry>& entries);
