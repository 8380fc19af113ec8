#pragma once
// The lines the command line prints for registrations: fields separated by a tab, keys and
// texts exactly as stored, so that a script can pick them apart. Platform-free.
#include <string>

#include "catalogue/AppPathEntry.h"
#include "catalogue/CleanUpSelection.h"

// /check: scope, key name, status, installation text (empty when there is none).
std::wstring CheckLine(const AppPathEntry& entry);

// /clean: scope and key name of a removed registration.
std::wstring RemovedLine(Scope scope, const std::wstring& keyName);

// /clean: scope, key name and why a broken registration stayed (Texts::KeptReason).
std::wstring KeptLine(Scope scope, const std::wstring& keyName, const std::wstring& why);
