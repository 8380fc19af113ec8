#include "platform/FileDirPath.h"

namespace {
bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

size_t AfterLastBackslash(const std::wstring& path) {
  const size_t last = path.rfind(L'\\');
  return last == std::wstring::npos ? 0 : last + 1;
}
}  // namespace

std::wstring FileNamePart(const std::wstring& path) { return path.substr(AfterLastBackslash(path)); }

std::wstring DirectoryPart(const std::wstring& path) { return path.substr(0, AfterLastBackslash(path)); }

bool IsFullPath(std::wstring_view path) {
  if (path.size() < 3) return false;
  const bool driveRooted = IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\';
  const bool uncRooted = path[0] == L'\\' && path[1] == L'\\';
  return driveRooted || uncRooted;
}

std::optional<wchar_t> DriveLetterOf(std::wstring_view path) {
  if (path.size() >= 4 && path.substr(0, 4) == L"\\\\?\\") path.remove_prefix(4);
  if (path.size() < 2 || !IsDriveLetter(path[0]) || path[1] != L':') return std::nullopt;
  return static_cast<wchar_t>(path[0] & ~0x20);
}
