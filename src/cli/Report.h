#pragma once
// The lines the command line prints for registrations: fields separated by a tab, keys and
// texts as stored except that their control characters are shown as the Unicode control
// pictures (a NUL as U+2400, a tab as U+2409, ESC as U+241B): a stored name can neither split a
// field or a line nor send a console escape sequence. Platform-free.
#include <string>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "catalogue/CleanUpSelection.h"
#include "catalogue/Comparison.h"

// /check: scope, key name, status, installation text (empty when there is none).
std::wstring CheckLine(const AppPathEntry& entry);

// /clean: scope and key name of a removed registration.
std::wstring RemovedLine(Scope scope, const std::wstring& keyName);

// /clean: scope, key name and why a broken registration stayed (Texts::KeptReason).
std::wstring KeptLine(Scope scope, const std::wstring& keyName, const std::wstring& why);

// /diff's line for one difference as its fields: "added", "removed" or "changed"; the scope;
// the key name; for a changed registration its ChangedParts, each a field of its own.
std::vector<std::wstring> DiffFields(const Difference& difference);

// "added", "removed" or "changed".
const wchar_t* ChangeWord(Change change);

// What differs in a changed registration, the one place that names it (lines and records):
// each value that differs (@ for the default value, else its name in double quotes), then
// each sub-key ([name]); empty for the others.
std::vector<std::wstring> ChangedParts(const Difference& difference);

// The fields separated by a tab, their own control characters as pictures.
std::wstring TabSeparated(const std::vector<std::wstring>& fields);
