#include "catalogue/UserKeyRule.h"

namespace {
// Only digits and dashes after "S-1-": the SID becomes part of a registry path, so nothing in
// it may lead elsewhere.
bool IsSidText(std::wstring_view sid) {
  if (sid.size() < 5 || sid.substr(0, 4) != L"S-1-") return false;
  for (const wchar_t c : sid.substr(4))
    if (!(c == L'-' || (c >= L'0' && c <= L'9'))) return false;
  return sid.back() != L'-';
}
}  // namespace

std::optional<std::wstring> OtherDesktopUser(std::wstring_view ownSid,
                                             const std::optional<std::wstring>& desktopSid) {
  if (!desktopSid || !IsSidText(*desktopSid) || !IsSidText(ownSid)) return std::nullopt;
  if (*desktopSid == ownSid) return std::nullopt;
  return desktopSid;
}

std::wstring UsersRootName(std::wstring_view sid) { return L"HKEY_USERS\\" + std::wstring(sid); }
