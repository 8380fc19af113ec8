#pragma once
// File-system paths of the shell's known folders and of the Windows folder.
#include <windows.h>
#include <shlobj.h>

#include <string>

// The folder's path (FOLDERID_ProgramFiles, ...), or the empty text when the shell does not
// know the folder.
std::wstring SpecialFolderPath(const KNOWNFOLDERID& folder);

// The Windows folder, the one %SystemRoot% names (not redirected for the user); empty when the
// system names none.
std::wstring WindowsFolder();
