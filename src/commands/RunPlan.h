#pragma once
// How a registration's program is started: which folder it starts in and the command line it
// gets. Platform-free: the existence test is passed in.
#include <functional>
#include <string>
#include <string_view>

using PathTest = std::function<bool(const std::wstring& path)>;

// The directory text as a folder: one trailing ";" removed, then one trailing and one leading
// double quote. C:\Tools; -> C:\Tools, "C:\My Tools"; -> C:\My Tools; a second ";" stays.
std::wstring CleanedDirectory(std::wstring_view directoryText);

// The folder the program starts in: the cleaned directory when it exists; when the directory
// text is empty, the program's own folder (with its final backslash) when that exists; otherwise
// empty, meaning the new process keeps ours.
std::wstring WorkingDirectoryFor(std::wstring_view directoryText, const std::wstring& program,
                                 const PathTest& pathExists);

// The program in quotes followed by its arguments, which are set off by a blank even when the
// installation text had none after the closing quote: a quoted name running straight into its
// first argument would be read as one word.
std::wstring ProgramCommandLine(std::wstring_view program, std::wstring_view arguments);
