#pragma once
// Removing registrations with an undo file: every key is read whole and written to a
// registration file, which is read back and checked before the first key goes. Nothing here
// asks or tells the user; the caller decides what to say about the result.
#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/UndoFile.h"
#include "platform/RegistryData.h"

// A registration to remove: the sub-key `keyName` of the App Paths key below `root`
// (HKEY_LOCAL_MACHINE for every user, HKEY_CURRENT_USER for this user only).
struct CleanUpKey {
  HKEY root = nullptr;
  std::wstring keyName;
};

enum class CleanUpStep {
  None,
  InvalidName,    // empty, with a backslash, too long, or below a root without App Paths
  ProtectedName,  // WINNT32.EXE, INSTALL.EXE or SETUP.EXE, which installers look up
  Read,           // the key could not be read whole; ERROR_FILE_NOT_FOUND: it is not there
  UndoFile,       // the undo file could not be written or did not check out: see `undoFile`
  Delete,         // the key could not be removed; the keys in `removed` were
};

// A registration that was removed: its name as the registry spelt it and all it held.
struct RemovedKey {
  HKEY root = nullptr;
  std::wstring keyName;
  Registry::KeyTree tree;
};

struct CleanUpResult {
  CleanUpStep failedStep = CleanUpStep::None;
  CleanUpKey failedKey;  // no root when the undo file itself failed
  DWORD error = ERROR_SUCCESS;
  UndoFileResult undoFile;
  std::vector<RemovedKey> removed;  // in the order given

  bool ok() const { return failedStep == CleanUpStep::None; }
};

// Removes the registrations `keys` (a key named twice, in any letter case, counts once), each
// with everything below it, after their undo file was written to `undoPath` and checked. Every
// failure before the first removal leaves the registry as it was and names the step, the key
// and the Win32 code. A removal that fails stops the clean-up; the undo file then still holds
// every key given. No keys: nothing is written.
CleanUpResult CleanUp(const std::wstring& undoPath, const std::vector<CleanUpKey>& keys);
