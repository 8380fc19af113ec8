#pragma once
// Whose App Paths key the "Benutzer" scope stands for. Platform-free.
#include <optional>
#include <string>
#include <string_view>

// The signed-in desktop user's SID when that user is not this program's (it was started with
// another account's rights, as when a standard user types an administrator's password):
// Windows reads that user's registrations for the programs they start, so those are the ones
// the scope shows. Nothing when both are the same user, when there is no desktop user (no shell,
// as under Wine), or when either SID is not of the form S-1-<digits and dashes>.
std::optional<std::wstring> OtherDesktopUser(std::wstring_view ownSid,
                                             const std::optional<std::wstring>& desktopSid);

// The registry editor's name of a user's hive: HKEY_USERS\<sid>.
std::wstring UsersRootName(std::wstring_view sid);
