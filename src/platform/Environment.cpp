#include "platform/Environment.h"

#include <windows.h>

#include <vector>

#include "platform/Dateiexistenz.h"
#include "platform/FileDirPath.h"
#include "platform/SpecialFolders.h"

namespace {
// ExpandEnvironmentStringsW reads and writes at most this many characters, terminator included
// (the reach of the UNICODE_STRING it works with). A longer result is cut off and reported as
// exactly this size, so a result that reaches it cannot be trusted.
constexpr size_t kSystemTextLimit = 32767;
// Another thread may change the environment between the call that measures and the one that
// writes; a few tries settle that.
constexpr int kAttempts = 3;
constexpr wchar_t kPathListSeparator = L';';
constexpr std::wstring_view kProgramExtension = L".exe";

bool HasNul(std::wstring_view text) { return text.find(L'\0') != std::wstring_view::npos; }

// Nothing when the system cannot take the text in one call (too long, or a NUL that would end
// it early).
std::optional<std::wstring> ExpandedBySystem(std::wstring_view text) {
  if (text.size() >= kSystemTextLimit || HasNul(text)) return std::nullopt;
  const std::wstring source(text);
  std::wstring expanded(source.size() + 1, L'\0');
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const DWORD needed = ExpandEnvironmentStringsW(source.c_str(), expanded.data(),
                                                   static_cast<DWORD>(expanded.size()));
    if (needed == 0 || needed >= kSystemTextLimit) return std::nullopt;
    if (needed <= expanded.size()) {
      expanded.resize(needed - 1);
      return expanded;
    }
    expanded.resize(needed);
  }
  return std::nullopt;
}

// Each %...% pair goes to the system on its own and the text between pairs stays as it is, so no
// call sees more than one variable's name or returns more than one variable's value.
std::wstring ExpandedPairByPair(std::wstring_view text) {
  std::wstring expanded;
  size_t at = 0;
  for (;;) {
    const size_t open = text.find(L'%', at);
    const size_t close = open == std::wstring_view::npos ? open : text.find(L'%', open + 1);
    if (close == std::wstring_view::npos) return expanded.append(text.substr(at));
    expanded.append(text.substr(at, open - at));
    const std::wstring_view pair = text.substr(open, close + 1 - open);
    expanded += ExpandedBySystem(pair).value_or(std::wstring(pair));
    at = close + 1;
  }
}

// A folder the system names through a GetXxxDirectoryW call; empty when it names none.
std::wstring SystemFolder(UINT(WINAPI* get)(LPWSTR, UINT)) {
  std::wstring folder(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const UINT length = get(folder.data(), static_cast<UINT>(folder.size()));
    if (length == 0) return {};
    if (length < folder.size()) {
      folder.resize(length);
      return folder;
    }
    folder.resize(length);
  }
  return {};
}

// Empty when the variable is not set.
std::wstring EnvironmentVariable(const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const DWORD length =
        GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return {};
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.resize(length);
  }
  return {};
}

std::wstring JoinedPath(const std::wstring& folder, std::wstring_view name) {
  const bool hasSeparator = !folder.empty() && folder.back() == L'\\';
  return folder + (hasSeparator ? L"" : L"\\") + std::wstring(name);
}

std::vector<std::wstring> PathListEntries(std::wstring_view list) {
  std::vector<std::wstring> entries;
  size_t at = 0;
  for (size_t end; (end = list.find(kPathListSeparator, at)) != std::wstring_view::npos;
       at = end + 1)
    entries.push_back(ExpandEnvironment(list.substr(at, end - at)));
  entries.push_back(ExpandEnvironment(list.substr(at)));
  return entries;
}

// The order in which CreateProcess looks for a bare name, without its first two places: the
// folder of the calling program and the current folder say nothing about a registration.
std::vector<std::wstring> SearchFolders() {
  const std::wstring windows = WindowsFolder();
  std::vector<std::wstring> folders = {SystemFolder(GetSystemDirectoryW),
                                       windows.empty() ? windows : JoinedPath(windows, L"System"),
                                       windows};
  for (std::wstring& entry : PathListEntries(EnvironmentVariable(L"PATH")))
    folders.push_back(std::move(entry));
  // An empty or relative folder would be looked up from the current folder.
  std::erase_if(folders, [](const std::wstring& folder) { return !IsFullPath(folder); });
  return folders;
}

std::vector<std::wstring> NamesToTry(std::wstring_view bareName) {
  std::vector<std::wstring> names = {std::wstring(bareName)};
  if (bareName.find(L'.') == std::wstring_view::npos)
    names.push_back(std::wstring(bareName) + std::wstring(kProgramExtension));
  return names;
}

}  // namespace

std::wstring ExpandEnvironment(std::wstring_view text) {
  if (std::optional<std::wstring> whole = ExpandedBySystem(text)) return *whole;
  return ExpandedPairByPair(text);
}

std::optional<std::wstring> FindOnSearchPath(std::wstring_view bareName) {
  if (bareName.empty() || HasNul(bareName)) return std::nullopt;
  const std::vector<std::wstring> names = NamesToTry(bareName);
  for (const std::wstring& folder : SearchFolders()) {
    for (const std::wstring& name : names) {
      std::wstring candidate = JoinedPath(folder, name);
      if (IsFile(candidate)) return candidate;
    }
  }
  return std::nullopt;
}
