#pragma once
// The commands that address a key through the Win32 registry calls, or hand its name on (save,
// rename, run, export), refuse a key whose name holds a NUL: those calls would act on its
// look-alike. Delete and the clean-up address the counted name and need no guard.
#include <string>

#include "ui/CommandHost.h"

// True, after telling the user why, when `keyName` (as stored) holds a NUL.
bool RefusedForNul(CommandHost& host, const std::wstring& keyName);
