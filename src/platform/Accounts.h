#pragma once
// Who this program runs as, and who is signed in at the desktop: an administrator's rights may
// have been typed in by a standard user, whose registrations and folders are then not ours.
#include <optional>
#include <string>

// This process's user as a SID string ("S-1-5-21-..."); nothing when the token cannot be read.
std::optional<std::wstring> ProcessUserSid();

// The user of the shell's process (the desktop's Explorer) as a SID string; nothing without a
// shell (no desktop session, and always under Wine) or when its token may not be read.
std::optional<std::wstring> DesktopUserSid();

// "DOMAIN\name" of a SID string; the SID itself when the account cannot be looked up.
std::wstring AccountName(const std::wstring& sid);

// The local application data folder (%LOCALAPPDATA%) of the desktop's user, from the shell's
// token; nothing without one.
std::optional<std::wstring> DesktopUserLocalAppData();
