#include "platform/Dateiexistenz.h"

#include <windows.h>

#include <string_view>

namespace {
// The API would silently test only the part before an embedded NUL.
bool IsUsablePath(const std::wstring& path) {
  return !path.empty() && path.find(L'\0') == std::wstring::npos;
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool SearchFinds(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

// The search reads these as patterns (< > " are the DOS forms of * ? and the dot, which the
// folder listing expands too); the attribute query would only refuse them.
bool HasWildcard(const std::wstring& path) {
  return path.find_first_of(L"*?<>\"") != std::wstring::npos;
}

// Whether the path ends in a plain name for the search to look for. A trailing separator or
// drive colon names a folder or root, which has no entry of its own in a listing; "." and ".."
// ("C:.", "C:\..") can stand for a root; Windows strips trailing dots and spaces except after
// \\?\, where the search still matches the name without them and the attribute query does not.
bool EndsWithoutPlainName(const std::wstring& path) {
  const wchar_t last = path.back();
  return IsSeparator(last) || last == L':' || last == L'.' || last == L' ';
}

// The length of a \\?\ or \\.\ prefix, else 0.
size_t NamespacePrefixLength(const std::wstring& path) {
  const bool prefixed = path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
                        (path[2] == L'?' || path[2] == L'.') && IsSeparator(path[3]);
  return prefixed ? 4 : 0;
}

// A colon after the drive letter names a stream ("tool.exe:info", "::$DATA"): the attribute
// query opens the stream, the search looks for a folder entry of that name and finds none.
bool NamesStream(const std::wstring& path) {
  const size_t start = NamespacePrefixLength(path);
  const size_t colon = path.find(L':', start);
  if (colon == std::wstring::npos) return false;
  return colon != start + 1 || path.find(L':', colon + 1) != std::wstring::npos;
}

bool IsUncPrefix(std::wstring_view text) {
  return text.size() >= 4 &&
         CompareStringOrdinal(text.data(), 4, L"UNC\\", 4, TRUE) == CSTR_EQUAL;
}

// Roots have no folder above them to search in: a share (\\server\share), a device or volume
// (\\.\C:, \\?\Volume{...}). Any \\.\ path counts, as its rules belong to the device.
bool NamesShareOrDeviceRoot(const std::wstring& path) {
  if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return false;
  const size_t prefix = NamespacePrefixLength(path);
  if (prefix != 0 && path[2] == L'.') return true;
  std::wstring_view rest = std::wstring_view(path).substr(prefix == 0 ? 2 : prefix);
  size_t separatorsNeeded = prefix == 0 ? 2 : 1;  // \\server\share\name; \\?\C:\name
  if (prefix != 0 && IsUncPrefix(rest)) {
    rest.remove_prefix(4);
    separatorsNeeded = 2;  // \\?\UNC\server\share\name
  }
  size_t separators = 0;
  for (const wchar_t c : rest) separators += IsSeparator(c) ? 1 : 0;
  return separators < separatorsNeeded;
}

// Where the attribute query and the search can answer differently, only the search gives the
// search's answer.
bool OnlyTheSearchAnswers(const std::wstring& path) {
  return HasWildcard(path) || EndsWithoutPlainName(path) || NamesStream(path) ||
         NamesShareOrDeviceRoot(path);
}

// Errors that say the name is not there, so the search (which asks the same folder or the
// same server) cannot find it either. Anything else (a name the query refuses, no access, a
// sharing violation as on pagefile.sys) leaves the question to the search.
bool MeansAbsent(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_BAD_NETPATH || error == ERROR_BAD_NET_NAME;
}
}  // namespace

// The attribute query is many times cheaper than opening a search of the folder, and for the
// usual registered program (a full path to a file) it gives the same answer.
bool FileExists(const std::wstring& path) {
  if (!IsUsablePath(path)) return false;
  if (OnlyTheSearchAnswers(path)) return SearchFinds(path);
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  return !MeansAbsent(GetLastError()) && SearchFinds(path);
}

bool PathExists(const std::wstring& path) {
  if (!IsUsablePath(path)) return false;
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

unsigned long FileAttributesError(const std::wstring& path) {
  if (!IsUsablePath(path)) return ERROR_INVALID_NAME;
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? ERROR_SUCCESS
                                                                      : GetLastError();
}
