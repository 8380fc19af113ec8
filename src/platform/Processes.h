#pragma once
// Starting programs: always by their full path, never searched for through PATH or the current
// folder.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/UniqueHandle.h"

// The registry editor of the Windows folder.
std::wstring RegistryEditorPath();

// Who a started program runs as: this process's user and rights, or the signed-in desktop
// user's (the shell's), which an elevated Velmarin must not hand its own rights on to.
enum class StartAs { ThisProcess, DesktopUser };

// True when this process runs with administrator rights (an elevated token).
bool RunsElevated();

// Starts `application` (a full path) with `commandLine` (whose first token names the same
// program, quoted) in `workingDirectory` (empty: the current one), with `showState` (SW_*).
// Does not wait. Returns the process handle, or nothing with *error set. An `application` that
// is not a full path (drive letter, colon and backslash, or \\server) is refused with
// ERROR_INVALID_PARAMETER; an empty `commandLine` becomes the quoted application. As the
// desktop user the program becomes a child of the shell's process and takes its token; without
// a shell (no desktop, or Wine) the start fails with ERROR_NOT_FOUND and nothing is started.
std::optional<UniqueHandle> StartProgram(const std::wstring& application,
                                         const std::wstring& commandLine,
                                         const std::wstring& workingDirectory, int showState,
                                         DWORD* error = nullptr,
                                         StartAs as = StartAs::ThisProcess);

// Waits at most `seconds` for the process to end, keeping the window responsive.
// True when it ended; *exitCode then holds its exit code.
bool WaitForProcess(HANDLE process, double seconds, DWORD* exitCode = nullptr);
