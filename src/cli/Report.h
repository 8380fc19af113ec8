#pragma once
// The lines the command line prints for registrations: fields separated by a tab, keys and
// texts as stored except that their control characters are shown as the Unicode control
// pictures (a NUL as U+2400, a tab as U+2409, ESC as U+241B): a stored name can neither split a
// field or a line nor send a console escape sequence. Platform-free.
#include <string>

#include "catalogue/AppPathEntry.h"
#include "catalogue/CleanUpSelection.h"

// /check: scope, key name, status, installation text (empty when there is none).
std::wstring CheckLine(const AppPathEntry& entry);

// /clean: scope and key name of a removed registration.
std::wstring RemovedLine(Scope scope, const std::wstring& keyName);

// /clean: scope, key name and why a broken registration stayed.
std::wstring KeptLine(const CleanUpCandidate& candidate);
