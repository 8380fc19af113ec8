#pragma once
// Removing broken registrations with an undo file: right before the clean-up, every key is read
// again and its program tested again; those still broken as listed are written whole to a
// registration file, which is read back and checked before the first key goes. Nothing here
// asks or tells the user; the caller decides what to say about the result.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "catalogue/CleanUpSelection.h"
#include "catalogue/UndoFile.h"
#include "platform/RegistryData.h"

// A registration to remove: the sub-key `keyName` of the App Paths key below `root` (RootOf a
// scope), with the two values it held when it was listed as broken. It goes only while it
// still holds them and its program is still not there.
struct CleanUpKey {
  HKEY root = nullptr;
  std::wstring keyName;
  std::optional<Registry::RawValue> listedInstallation;
  std::optional<Registry::RawValue> listedDirectory;
};

// The key of a listed entry, with the values it was listed with.
CleanUpKey CleanUpKeyOf(const AppPathEntry& entry);

enum class CleanUpStep {
  None,
  InvalidName,    // empty, with a backslash, too long, or below a root without App Paths
  ProtectedName,  // WINNT32.EXE, INSTALL.EXE or SETUP.EXE, which installers look up
  Read,           // a key or the App Paths key could not be read
  UndoFile,       // the undo file could not be written or did not check out: see `undoFile`
  Delete,         // the key could not be removed; the keys in `removed` were
};

// A registration that was removed: its name as the registry spelt it and all it held.
struct RemovedKey {
  HKEY root = nullptr;
  std::wstring keyName;
  Registry::KeyTree tree;
};

// A registration the clean-up left in place (Changed or Unrestorable).
struct KeptKey {
  HKEY root = nullptr;
  std::wstring keyName;  // as stored, or as given when the key is gone
  KeptBecause why = KeptBecause::Changed;
  // Unrestorable: the sub-key below the registration holding the obstacle (empty: the key
  // itself), and the value's name; no value name when a key's name is the obstacle.
  std::wstring obstacleKey;
  std::optional<std::wstring> obstacleValue;
};

struct CleanUpResult {
  CleanUpStep failedStep = CleanUpStep::None;
  CleanUpKey failedKey;  // no root when the undo file itself failed
  DWORD error = ERROR_SUCCESS;
  UndoFileResult undoFile;
  std::vector<RemovedKey> removed;  // in the order given
  std::vector<KeptKey> kept;        // those gone first, then in the order given

  bool ok() const { return failedStep == CleanUpStep::None; }
};

// Removes the registrations `keys` (a key named twice, in any letter case, counts once), each
// with everything below it, after their undo file was written to `undoPath` and checked. A key
// changed since it was listed, gone, or whose program is there or cannot be told about now, is
// kept (Changed), and so is one no registration file can restore (Unrestorable); the others go.
// Every failure before the first removal (a name refused, a key that cannot be read, the undo
// file) leaves the registry as it was and names the step, the key and the Win32 code. A removal
// that fails stops the clean-up; the undo file then still holds every key meant to go. Nothing
// to remove: nothing is written. `beforeReadBack` runs between writing the undo file and
// reading it back (a test seam; see WriteUndoFile).
CleanUpResult CleanUp(const std::wstring& undoPath, const std::vector<CleanUpKey>& keys,
                      const UndoFileSeam& beforeReadBack = {});
