#pragma once
// Putting registrations back as a registration file holds them, with an undo file: what each
// key holds now (or that it is not there) is written to a registration file, which is read back
// and checked before the first key is written. Importing that file with the registry editor
// undoes the restore. Nothing here asks or tells the user.
#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "catalogue/AppPathsFile.h"
#include "catalogue/UndoFile.h"

// A registration to restore: the sub-key `keyName` of the scope's App Paths key.
struct RestoreKey {
  Scope scope = Scope::Machine;
  std::wstring keyName;
};

enum class RestoreStep {
  None,
  InvalidName,    // empty, with a backslash or too long
  ProtectedName,  // WINNT32.EXE, INSTALL.EXE or SETUP.EXE, which installers look up
  ReadOnlyScope,  // the machine's App Paths key may not be written
  NotInFile,      // the file holds no such registration
  Read,           // what the key holds now could not be read
  UndoFile,       // the undo file could not be written or did not check out: see `undoFile`
  Write,          // the key could not be replaced; those written before it were put back
};

struct RestoreResult {
  RestoreStep failedStep = RestoreStep::None;
  RestoreKey failedKey;  // no name when the undo file itself failed
  DWORD error = ERROR_SUCCESS;
  UndoFileResult undoFile;
  std::vector<RestoreKey> restored;    // as the file spells them, in the order given
  std::vector<RestoreKey> notPutBack;  // Write: keys still not as they were (the undo file is)

  bool ok() const { return failedStep == RestoreStep::None; }
};

// Makes each registration of `keys` (a key named twice, in any letter case, counts once) hold
// exactly what `file` holds for it, values with their types and bytes and every sub-key, under
// the file's spelling of its name; a key there now is replaced whole. Before the first write the
// undo file `undoPath` is written and checked: it removes each key again and writes back what
// was there. Every failure before the first write leaves the registry as it was. A write that
// fails puts back what the keys written until then held and names those it could not.
RestoreResult Restore(const AppPathsKeys& file, const std::vector<RestoreKey>& keys,
                      const std::wstring& undoPath);
