#pragma once
// The undo file of a clean-up: a registration file that the registry editor imports to bring
// the removed keys back exactly. It is trusted only after it was read back from the disk.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/RegFile.h"

enum class UndoFileStep {
  None,
  Check,   // a key or value the editor would not restore exactly (see `unrestorable`)
  Create,  // the file could not be created (missing folder, no rights, file already there)
  Write,
  Read,
  Verify,  // the file read back does not hold every key and value
};

struct UndoFileResult {
  UndoFileStep failedStep = UndoFileStep::None;
  DWORD error = ERROR_SUCCESS;
  RegFile::Unrestorable unrestorable;  // for Check

  bool ok() const { return failedStep == UndoFileStep::None; }
};

// Runs on the file's path between writing it and reading it back. Only tests pass one: they
// change the file there to see the comparison catch it.
using UndoFileSeam = std::function<void(const std::wstring& path)>;

// Writes `entries` as a new file at `path` (UTF-16LE with byte order mark, CRLF line ends), then
// reads the file back and compares every key and value with `entries`. An existing file is never
// replaced (ERROR_FILE_EXISTS): it may be the undo of an earlier clean-up. A file that could not
// be written whole or fails the comparison is removed again, so no one imports half an undo.
UndoFileResult WriteUndoFile(const std::wstring& path, const std::vector<RegFile::Entry>& entries,
                             const UndoFileSeam& beforeReadBack = {});

// "<folder>\Bereinigung-YYYY-MM-DD-HHMMSS.reg" for the local time `time`; a restore's undo
// file takes a prefix of its own.
std::wstring UndoFilePath(const std::wstring& folder, const SYSTEMTIME& time,
                          const std::wstring& prefix = L"Bereinigung-");
