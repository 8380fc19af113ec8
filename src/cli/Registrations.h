#pragma once
// Both App Paths keys as Windows reads them now, for the command line, which has no window to
// keep a catalogue in and may wait for the file system.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "catalogue/Catalogue.h"
#include "cli/Records.h"

struct UnreadableKey {
  Scope scope = Scope::Machine;
  DWORD error = ERROR_SUCCESS;
};

// The first App Paths key that is there but cannot be listed; a scan would take it for empty.
std::optional<UnreadableKey> FindUnreadableKey();

// Tells on the error output which key could not be read and why.
void ReportUnreadable(const UnreadableKey& unreadable);

// Every registration of both keys with its status: Hidden for a machine entry a user entry of
// the same name hides, else as Windows resolves it. Tests every program's file.
Catalogue RegistrationsWithStatus();

// An entry of `registrations` with the program it starts and that program's details, for its
// record. Reads the program's file, its signature and who may change it.
ListedRegistration Listed(const Catalogue& registrations, const AppPathEntry& entry);

// The system's text for `error`, or the error's number when the system has none.
std::wstring ReasonText(DWORD error);

// `path` relative to the current folder made whole; as given when the system cannot.
std::wstring AbsolutePath(const std::wstring& path);
