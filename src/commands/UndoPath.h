#pragma once
// Where a command that changes registrations puts its undo file: beside AppBackup.reg, named
// after the local time.
#include <string>

#include "ui/CommandHost.h"

// "<folder of AppBackup.reg>\<prefix>YYYY-MM-DD-HHMMSS.reg"; the clean-up's prefix by default.
std::wstring NewUndoPath(CommandHost& host, const std::wstring& prefix = L"Bereinigung-");
