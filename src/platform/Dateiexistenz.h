#pragma once
// Existence tests for files and folders.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// What the file system says about a name: there, not there, or nothing certain (a server or
// share that does not answer, a drive letter this session has no root for, a drive without
// its medium, no right to look).
enum class Existence { Found, NotThere, CannotTell };

struct ExistenceAnswer {
  Existence answer = Existence::NotThere;
  // ERROR_SUCCESS when found; else the system's reason, ERROR_INVALID_DRIVE for a drive letter
  // without a root in this session (an elevated program does not see the drives the signed-in
  // user mapped).
  DWORD error = ERROR_SUCCESS;

  // True only when found: "not there" and "cannot tell" alike mean nothing can be started.
  explicit operator bool() const { return answer == Existence::Found; }
};

// Whether a file search for `path` finds anything: a file, a folder, or (with * or ?) any match.
// Asks the cheaper attribute query first wherever it gives the search's answer. NotThere only
// when every answer the system gave says the name is not there.
ExistenceAnswer FileExists(const std::wstring& path);

// How a failed attribute query or search reads: ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, a
// name no file can have and the like say NotThere; network errors and time-outs, a drive not
// ready, no access and every code not known to mean "absent" say CannotTell.
Existence ExistenceOfError(DWORD error);

// True when this session has a drive of that letter (A to Z, either case). An elevated program
// does not see the drives the signed-in user mapped.
bool SessionHasDrive(wchar_t letter);

// What tells one version of a file from another: its size and last write time. Nothing when the
// file cannot be asked.
struct FileStamp {
  uint64_t size = 0;
  uint64_t written = 0;
  bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> FileStampOf(const std::wstring& path);

// True when the file system reports attributes for `path` (a file or a folder).
bool PathExists(const std::wstring& path);

// True when `path` names a folder (a file: IsFile); false when it names nothing or cannot be asked.
bool IsFolder(const std::wstring& path);
bool IsFile(const std::wstring& path);

// Why the file system reports no attributes for `path`: the system's error code (a Win32
// code), ERROR_SUCCESS (0) when it reports them.
unsigned long FileAttributesError(const std::wstring& path);
