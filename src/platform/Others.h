#pragma once
// The message loop step, the program's folder and system error texts.
#include <windows.h>

#include <string>

// Lets the window process the messages that are waiting, then returns.
void ProcessPendingEvents();

// The folder that holds the running executable, without a final backslash.
std::wstring ProgramFolder();

// The system's own text for a Win32 error code, without the final line break; empty when the
// system has none.
std::wstring SystemMessage(DWORD code);
