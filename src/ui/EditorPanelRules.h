#pragma once
// The editor panel's decisions that need no window: which typed character empties the directory
// box and what a chosen program file puts into the three boxes. Platform-free.
#include <string>
#include <string_view>

// Backspace in the directory box empties it (while it may be edited).
bool EmptiesDirectory(wchar_t typed);

// What a program file chosen in the browse dialog puts into the panel.
struct BrowsedProgram {
  std::wstring fileName;      // MYTOOL.EXE -> Mytool.exe
  std::wstring installation;  // the chosen folder followed by fileName
  std::wstring directory;     // the folder without its final backslash, then ";" (C:\ -> C:;)
  std::wstring folder;        // the chosen folder as it stands, final backslash included
};
BrowsedProgram ProgramFromChosenFile(std::wstring_view path);

// The file name box after a browse: a name already there stays; an empty box or the placeholder
// "Neuer Eintrag" takes the chosen file's name.
std::wstring FileNameAfterBrowse(std::wstring_view fileNameBox, std::wstring_view chosenName);
