#include "platform/Processes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/SpecialFolders.h"

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

std::wstring RegistryEditorPath() {
  std::wstring folder = WindowsFolder();
  // Without the Windows folder "\regedit.exe" would name a file on the current drive.
  if (folder.empty()) return {};
  if (folder.back() != L'\\') folder += L'\\';
  return folder + L"regedit.exe";
}

bool RunsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  const UniqueHandle owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size) &&
         elevation.TokenIsElevated != 0;
}

namespace {
// The shell's process, opened so that a new process can be its child; nothing without a shell.
UniqueHandle OpenShellProcess(DWORD* error) {
  const HWND shell = GetShellWindow();
  DWORD id = 0;
  if (shell == nullptr || GetWindowThreadProcessId(shell, &id) == 0 || id == 0) {
    Fail(ERROR_NOT_FOUND, error);
    return UniqueHandle();
  }
  UniqueHandle process(OpenProcess(PROCESS_CREATE_PROCESS, FALSE, id));
  if (!process) Fail(GetLastError(), error);
  return process;
}

// The attribute that makes `parent` the new process's parent, whose token it then inherits.
class ParentAttribute {
 public:
  explicit ParentAttribute(HANDLE parent) : parent_(parent) {
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    buffer_.resize(size);
    list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer_.data());
    ok_ = InitializeProcThreadAttributeList(list_, 1, 0, &size) &&
          UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_PARENT_PROCESS, &parent_,
                                    sizeof(parent_), nullptr, nullptr);
  }
  ~ParentAttribute() {
    if (ok_) DeleteProcThreadAttributeList(list_);
  }
  ParentAttribute(const ParentAttribute&) = delete;
  ParentAttribute& operator=(const ParentAttribute&) = delete;
  LPPROC_THREAD_ATTRIBUTE_LIST get() const { return ok_ ? list_ : nullptr; }

 private:
  HANDLE parent_;
  std::vector<unsigned char> buffer_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
  bool ok_ = false;
};
}  // namespace

std::optional<UniqueHandle> StartProgram(const std::wstring& application,
                                         const std::wstring& commandLine,
                                         const std::wstring& workingDirectory, int showState,
                                         DWORD* error, StartAs as) {
  if (!IsFullPath(application) || application.find(L'\0') != std::wstring::npos) {
    Fail(ERROR_INVALID_PARAMETER, error);
    return std::nullopt;
  }
  UniqueHandle shell;
  if (as == StartAs::DesktopUser && !(shell = OpenShellProcess(error))) return std::nullopt;
  const ParentAttribute parent(shell.get());
  if (as == StartAs::DesktopUser && parent.get() == nullptr) {
    Fail(GetLastError(), error);
    return std::nullopt;
  }
  std::vector<wchar_t> line = WritableCommandLine(application, commandLine);
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof(startup);
  startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
  startup.StartupInfo.wShowWindow = static_cast<WORD>(showState);
  startup.lpAttributeList = as == StartAs::DesktopUser ? parent.get() : nullptr;
  const DWORD flags = as == StartAs::DesktopUser ? EXTENDED_STARTUPINFO_PRESENT : 0;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr,
                      workingDirectory.empty() ? nullptr : workingDirectory.c_str(),
                      &startup.StartupInfo, &started)) {
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
