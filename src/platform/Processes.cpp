#include "platform/Processes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/FileDirPath.h"
#include "platform/Others.h"

UniqueHandle::~UniqueHandle() {
  if (*this) CloseHandle(handle_);
}

HANDLE UniqueHandle::release() {
  HANDLE h = handle_;
  handle_ = nullptr;
  return h;
}

namespace {
std::vector<wchar_t> WritableCommandLine(const std::wstring& application,
                                         const std::wstring& commandLine) {
  const std::wstring text = commandLine.empty() ? L"\"" + application + L"\"" : commandLine;
  std::vector<wchar_t> buffer(text.begin(), text.end());
  buffer.push_back(L'\0');
  return buffer;
}

bool Fail(DWORD code, DWORD* error) {
  if (error != nullptr) *error = code;
  return false;
}

DWORD MillisecondsFrom(double seconds) {
  if (!(seconds > 0)) return 0;
  constexpr double kLongest = static_cast<double>(INFINITE - 1);
  return static_cast<DWORD>(std::min(std::ceil(seconds * 1000.0), kLongest));
}
}  // namespace

std::wstring WindowsFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  UINT length = GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (length >= folder.size()) {
    folder.resize(length);
    length = GetSystemWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) return {};
  }
  folder.resize(length);
  return folder;
}

std::wstring RegistryEditorPath() {
  std::wstring folder = WindowsFolder();
  // Without the Windows folder "\regedit.exe" would name a file on the current drive.
  if (folder.empty()) return {};
  if (folder.back() != L'\\') folder += L'\\';
  return folder + L"regedit.exe";
}

std::optional<UniqueHandle> StartProgram(const std::wstring& application,
                                         const std::wstring& commandLine,
                                         const std::wstring& workingDirectory, int showState,
                                         DWORD* error) {
  if (!IsFullPath(application) || application.find(L'\0') != std::wstring::npos) {
    Fail(ERROR_INVALID_PARAMETER, error);
    return std::nullopt;
  }
  std::vector<wchar_t> line = WritableCommandLine(application, commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showState);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                      &started)) {
    Fail(GetLastError(), error);
    return std::nullopt;
  }
  CloseHandle(started.hThread);
  if (error != nullptr) *error = ERROR_SUCCESS;
  return UniqueHandle(started.hProcess);
}

bool WaitForProcess(HANDLE process, double seconds, DWORD* exitCode) {
  if (process == nullptr || process == INVALID_HANDLE_VALUE) return false;
  const ULONGLONG deadline = GetTickCount64() + MillisecondsFrom(seconds);
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD remaining = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, remaining, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) {
      if (exitCode != nullptr && !GetExitCodeProcess(process, exitCode)) return false;
      return true;
    }
    if (woke != WAIT_OBJECT_0 + 1) return false;  // timed out or failed
    ProcessPendingEvents();
  }
}
