#include "platform/Dateiexistenz.h"

#include <windows.h>

#include <optional>
#include <string_view>

#include "platform/FileDirPath.h"

namespace {
// The API would silently test only the part before an embedded NUL.
bool IsUsablePath(const std::wstring& path) {
  return !path.empty() && path.find(L'\0') == std::wstring::npos;
}

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// ERROR_SUCCESS when the search finds something, else its reason.
DWORD SearchError(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return GetLastError();
  FindClose(search);
  return ERROR_SUCCESS;
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

// The drive's root answers: the session has the drive, and it is ready. Asked of the root rather
// than of the session's drive list, which under Wine is a trip to the mount manager (0.8 ms
// against 9 µs); a drive without its medium then cannot tell either.
bool DriveRootAnswers(wchar_t letter) {
  const wchar_t root[] = {letter, L':', L'\\', L'\0'};
  return GetFileAttributesW(root) != INVALID_FILE_ATTRIBUTES;
}

// A drive letter the session has no root for: Windows answers "path not found", but the
// drive may well exist for the signed-in user (a mapped drive is not visible elevated).
bool NamesMissingDrive(const std::wstring& path) {
  const std::optional<wchar_t> letter = DriveLetterOf(path);
  return letter && !DriveRootAnswers(*letter);
}

// The server, share or drive did not answer: a search would ask it again and wait as long.
bool DeviceDidNotAnswer(DWORD error) {
  switch (error) {
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_DEV_TYPE:  // Wine's answer for a share of a server that is not there
    case ERROR_NETNAME_DELETED:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_HOST_UNREACHABLE:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETWORK_BUSY:
    case ERROR_REM_NOT_LIST:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_NO_NET_OR_BAD_PATH:
    case ERROR_SEM_TIMEOUT:
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
      return true;
    default:
      return false;
  }
}

ExistenceAnswer Answer(DWORD error) {
  if (error == ERROR_SUCCESS) return {Existence::Found, ERROR_SUCCESS};
  return {ExistenceOfError(error), error};
}

// A file missing from a folder below the root: the folder answered, so its drive is there.
bool FolderAnswered(const ExistenceAnswer& answer, const std::wstring& path) {
  return answer.error == ERROR_FILE_NOT_FOUND && path.size() > 3 &&
         path.find_first_of(L"\\/", 3) != std::wstring::npos;
}

// "Not there" said of a name on a drive the session does not have is no answer at all. Asking
// for the session's drives costs more than the query itself (under Wine, a trip to the mount
// manager), so it is asked only where the answer could have come from a missing drive.
ExistenceAnswer Checked(ExistenceAnswer answer, const std::wstring& path) {
  if (answer.answer == Existence::NotThere && !FolderAnswered(answer, path) &&
      NamesMissingDrive(path))
    return {Existence::CannotTell, ERROR_INVALID_DRIVE};
  return answer;
}
}  // namespace

Existence ExistenceOfError(DWORD error) {
  switch (error) {
    case ERROR_SUCCESS:
      return Existence::Found;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NO_MORE_FILES:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_PARAMETER:
      return Existence::NotThere;
    default:
      return Existence::CannotTell;
  }
}

// The attribute query is many times cheaper than opening a search of the folder, and for the
// usual registered program (a full path to a file) it gives the same answer. A name the query
// refuses, no access to the file, a sharing violation (pagefile.sys) leave the question to the
// search, which lists the folder; when the search does not find it either, the query's doubt
// stands.
ExistenceAnswer FileExists(const std::wstring& path) {
  if (!IsUsablePath(path)) return {Existence::NotThere, ERROR_INVALID_NAME};
  if (OnlyTheSearchAnswers(path)) return Checked(Answer(SearchError(path)), path);
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return Answer(ERROR_SUCCESS);
  const DWORD queryError = GetLastError();
  if (queryError == ERROR_FILE_NOT_FOUND || queryError == ERROR_PATH_NOT_FOUND)
    return Checked(Answer(queryError), path);
  if (DeviceDidNotAnswer(queryError)) return Answer(queryError);
  const ExistenceAnswer search = Checked(Answer(SearchError(path)), path);
  if (search.answer == Existence::Found) return search;
  const ExistenceAnswer query = Answer(queryError);
  return query.answer == Existence::CannotTell ? query : search;
}

std::optional<FileStamp> FileStampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!IsUsablePath(path) || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
    return std::nullopt;
  return FileStamp{(uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                   (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                       data.ftLastWriteTime.dwLowDateTime};
}

bool SessionHasDrive(wchar_t letter) {
  const wchar_t upper = static_cast<wchar_t>(letter & ~0x20);
  if (upper < L'A' || upper > L'Z') return false;
  return (GetLogicalDrives() & (1u << (upper - L'A'))) != 0;
}

bool PathExists(const std::wstring& path) {
  if (!IsUsablePath(path)) return false;
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {
// The path's attributes when it names something; nothing when it does not or cannot be asked.
std::optional<DWORD> AttributesOf(const std::wstring& path) {
  if (!IsUsablePath(path)) return std::nullopt;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}
}  // namespace

bool IsFolder(const std::wstring& path) {
  const std::optional<DWORD> attributes = AttributesOf(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::wstring& path) {
  const std::optional<DWORD> attributes = AttributesOf(path);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

unsigned long FileAttributesError(const std::wstring& path) {
  if (!IsUsablePath(path)) return ERROR_INVALID_NAME;
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? ERROR_SUCCESS
                                                                      : GetLastError();
}
