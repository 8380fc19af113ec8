// A program for the run command's tests: it writes the folder it was started in, its whole
// command line and whether its token is elevated ("elevated" or "limited") beside itself, into
// <its own path>.txt (UTF-16, one line each), and ends.
// The file appears complete or not at all, so a test may read it as soon as it exists.
#include <windows.h>

#include <string>

namespace {
std::wstring OwnPath() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

std::wstring CurrentFolder() {
  std::wstring folder(32768, L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  return folder;
}

bool WriteWhole(const std::wstring& path, const std::wstring& text) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  const bool ok = WriteFile(file, text.data(), size, &written, nullptr) && written == size;
  CloseHandle(file);
  return ok;
}
const wchar_t* Elevation() {
  HANDLE token = nullptr;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool known = OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
                     GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size);
  if (token != nullptr) CloseHandle(token);
  if (!known) return L"unknown";
  return elevation.TokenIsElevated != 0 ? L"elevated" : L"limited";
}
}  // namespace

int wmain() {
  const std::wstring report = OwnPath() + L".txt";
  const std::wstring partial = report + L".part";
  const std::wstring text =
      CurrentFolder() + L"\n" + GetCommandLineW() + L"\n" + Elevation() + L"\n";
  if (!WriteWhole(partial, text)) return 1;
  return MoveFileExW(partial.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 2;
}
