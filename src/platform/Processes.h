#pragma once
// Starting programs: always by their full path, never searched for through PATH or the current
// folder.
#include <windows.h>

#include <optional>
#include <string>

// Owns a kernel handle.
class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE h) : handle_(h) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle();
  HANDLE get() const { return handle_; }
  HANDLE release();
  explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_ = nullptr;
};

// The Windows folder (not redirected for the user).
std::wstring WindowsFolder();

// The registry editor of the Windows folder.
std::wstring RegistryEditorPath();

// Starts `application` (a full path) with `commandLine` (whose first token names the same
// program, quoted) in `workingDirectory` (empty: the current one), with `showState` (SW_*).
// Does not wait. Returns the process handle, or nothing with *error set. An `application` that
// is not a full path (drive letter, colon and backslash, or \\server) is refused with
// ERROR_INVALID_PARAMETER; an empty `commandLine` becomes the quoted application.
std::optional<UniqueHandle> StartProgram(const std::wstring& application,
                                         const std::wstring& commandLine,
                                         const std::wstring& workingDirectory, int showState,
                                         DWORD* error = nullptr);

// Waits at most `seconds` for the process to end, keeping the window responsive.
// True when it ended; *exitCode then holds its exit code.
bool WaitForProcess(HANDLE process, double seconds, DWORD* exitCode = nullptr);
