#pragma once
// The command line's input and output. Velmarin is a window program, so Windows gives it no
// console of its own: it writes into a file or pipe it was handed as standard output or error,
// else into the console of the program that started it (cmd.exe, PowerShell).
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// The arguments after the program's name, split by CommandLineToArgvW (quotes group blanks).
std::vector<std::wstring> ProgramArguments();

class OutputChannel {
 public:
  // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
  explicit OutputChannel(DWORD standardHandle);
  OutputChannel(const OutputChannel&) = delete;
  OutputChannel& operator=(const OutputChannel&) = delete;
  ~OutputChannel();

  // Writes `line` and CRLF: UTF-16 to a console, UTF-8 bytes to a file or pipe. Output that
  // has nowhere to go (started from Explorer, reader gone) is dropped.
  void WriteLine(std::wstring_view line);
  void WriteLines(const std::vector<std::wstring>& lines);

 private:
  HANDLE handle_ = nullptr;
  bool console_ = false;
  bool ownsHandle_ = false;
};
