#include "platform/Accounts.h"

#include <windows.h>
#include <sddl.h>
#include <shlobj.h>

#include <vector>

#include "platform/Processes.h"

namespace {

// The token of the shell's process, for reading; an empty handle without a shell.
UniqueHandle ShellToken(DWORD access) {
  const HWND shell = GetShellWindow();
  DWORD id = 0;
  if (shell == nullptr || GetWindowThreadProcessId(shell, &id) == 0 || id == 0) return {};
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  HANDLE token = nullptr;
  if (!process || !OpenProcessToken(process.get(), access, &token)) return {};
  return UniqueHandle(token);
}

std::optional<std::wstring> UserSidOf(HANDLE token) {
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  if (size == 0) return std::nullopt;
  std::vector<unsigned char> buffer(size);
  if (!GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) return std::nullopt;
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
    return std::nullopt;
  std::wstring sid(text);
  LocalFree(text);
  return sid;
}

}  // namespace

std::optional<std::wstring> ProcessUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::nullopt;
  const UniqueHandle owned(token);
  return UserSidOf(token);
}

std::optional<std::wstring> DesktopUserSid() {
  const UniqueHandle token = ShellToken(TOKEN_QUERY);
  if (!token) return std::nullopt;
  return UserSidOf(token.get());
}

std::wstring AccountName(const std::wstring& sid) {
  PSID binary = nullptr;
  if (!ConvertStringSidToSidW(sid.c_str(), &binary)) return sid;
  wchar_t name[256] = {}, domain[256] = {};
  DWORD nameSize = 256, domainSize = 256;
  SID_NAME_USE use{};
  const bool found =
      LookupAccountSidW(nullptr, binary, name, &nameSize, domain, &domainSize, &use) != FALSE;
  LocalFree(binary);
  if (!found) return sid;
  return domain[0] != L'\0' ? std::wstring(domain) + L'\\' + name : std::wstring(name);
}

std::optional<std::wstring> DesktopUserLocalAppData() {
  const UniqueHandle token = ShellToken(TOKEN_QUERY | TOKEN_IMPERSONATE | TOKEN_DUPLICATE);
  if (!token) return std::nullopt;
  PWSTR path = nullptr;
  const HRESULT found = SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, token.get(),
                                             &path);
  std::optional<std::wstring> folder;
  if (SUCCEEDED(found) && path != nullptr) folder = std::wstring(path);
  CoTaskMemFree(path);
  return folder;
}
