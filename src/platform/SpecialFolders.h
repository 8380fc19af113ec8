#pragma once
// File-system paths of the shell's known folders.
#include <windows.h>
#include <shlobj.h>

#include <string>

// The folders the program itself needs. They keep the names of the CSIDL numbers they
// replaced, which their callers use.
inline const KNOWNFOLDERID& kCsidlProgramFiles = FOLDERID_ProgramFiles;
inline const KNOWNFOLDERID& kCsidlWindows = FOLDERID_Windows;
// The user's local application data (%LOCALAPPDATA%), where the user's own backup goes.
inline const KNOWNFOLDERID& kLocalAppData = FOLDERID_LocalAppData;

// The folder's path, or the empty text when the shell does not know the folder.
std::wstring SpecialFolderPath(const KNOWNFOLDERID& folder);
