#include "cli/Console.h"

#include <shellapi.h>

namespace {
bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

bool IsFileOrPipe(HANDLE handle) {
  if (!IsValid(handle)) return false;
  const DWORD type = GetFileType(handle);
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return IsValid(handle) && GetConsoleMode(handle, &mode);
}

// Both channels may ask; a process is attached to one console at most, so the first asks.
void AttachParentConsole() {
  static const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
  (void)attached;
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

void WriteBytes(HANDLE handle, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                   nullptr) ||
        written == 0)
      return;
    done += written;
  }
}

void WriteConsoleText(HANDLE handle, std::wstring_view text) {
  size_t done = 0;
  while (done < text.size()) {
    DWORD written = 0;
    if (!WriteConsoleW(handle, text.data() + done, static_cast<DWORD>(text.size() - done),
                       &written, nullptr) ||
        written == 0)
      return;
    done += written;
  }
}
}  // namespace

std::vector<std::wstring> ProgramArguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::vector<std::wstring> result(arguments + (count > 0 ? 1 : 0), arguments + count);
  LocalFree(arguments);
  return result;
}

// A file or pipe the parent handed over wins. A console handle is only usable once attached to
// that console; a window program attached late may hold none, so CONOUT$ is opened then. Any
// other device (NUL) is what the user asked for and gets the bytes.
OutputChannel::OutputChannel(DWORD standardHandle) {
  handle_ = GetStdHandle(standardHandle);
  if (IsFileOrPipe(handle_)) return;
  AttachParentConsole();
  handle_ = GetStdHandle(standardHandle);
  console_ = IsConsole(handle_);
  if (IsValid(handle_)) return;
  handle_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ownsHandle_ = IsValid(handle_);
  console_ = IsConsole(handle_);
}

OutputChannel::~OutputChannel() {
  if (ownsHandle_) CloseHandle(handle_);
}

void OutputChannel::WriteLine(std::wstring_view line) {
  std::wstring text(line);
  text += L"\r\n";
  if (console_)
    WriteConsoleText(handle_, text);
  else if (IsValid(handle_))
    WriteBytes(handle_, Utf8(text));
}

void OutputChannel::WriteLines(const std::vector<std::wstring>& lines) {
  for (const std::wstring& line : lines) WriteLine(line);
}
