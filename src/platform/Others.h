#pragma once
// Waiting, the message loop step, the program's folder and system error texts.
#include <windows.h>

#include <functional>
#include <string>

// Seconds since midnight, local time, with millisecond resolution.
double SecondsSinceMidnight();

// Lets the window process the messages that are waiting, then returns.
void ProcessPendingEvents();

// Waits `seconds` while keeping the window responsive. The clock may pass midnight during the
// wait. A step back of the clock by less than half a day is the clock being set, not midnight,
// and counts as no time. Between looks at the clock the thread sleeps briefly unless a message
// arrives. `now` and `pump` are for tests.
void WaitSeconds(double seconds, const std::function<double()>& now = SecondsSinceMidnight,
                 const std::function<void()>& pump = ProcessPendingEvents);

// The folder that holds the running executable, without a final backslash.
std::wstring ProgramFolder();

// The system's own text for a Win32 error code, without the final line break; empty when the
// system has none.
std::wstring SystemMessage(DWORD code);
