#pragma once
// velmarin.exe with arguments: a tool for administrators and scripts. It opens no window, writes
// no backup and shows no message box; it prints lines and ends with an exit code (CliExit).
#include <string>
#include <vector>

int RunCommandLine(const std::vector<std::wstring>& arguments);
