#include "catalogue/UserScope.h"

#include "catalogue/UserKeyRule.h"
#include "platform/Accounts.h"
#include "platform/SpecialFolders.h"

namespace {

constexpr wchar_t kDataFolderName[] = L"\\Velmarin";

// A hive that cannot be opened (not loaded, no right) leaves the scope with our own key, which
// is then what the window and the command line say they show.
UserScopeKey Decide() {
  UserScopeKey scope;
  const std::optional<std::wstring> own = ProcessUserSid();
  const std::optional<std::wstring> other = OtherDesktopUser(own.value_or(L""), DesktopUserSid());
  if (!other) return scope;
  HKEY hive = nullptr;
  if (RegOpenKeyExW(HKEY_USERS, other->c_str(), 0, KEY_READ, &hive) != ERROR_SUCCESS) return scope;
  scope.root = hive;  // held for the whole run
  scope.rootName = UsersRootName(*other);
  scope.owner = AccountName(*other);
  return scope;
}

}  // namespace

const UserScopeKey& UserScope() {
  static const UserScopeKey scope = Decide();
  return scope;
}

std::optional<std::wstring> UserScopeDataFolder() {
  std::optional<std::wstring> base;
  if (UserScope().owner.empty()) {
    const std::wstring own = SpecialFolderPath(FOLDERID_LocalAppData);
    if (!own.empty()) base = own;
  } else {
    base = DesktopUserLocalAppData();
  }
  if (!base) return std::nullopt;
  if (!base->empty() && base->back() == L'\\') base->pop_back();
  return *base + kDataFolderName;
}
