#pragma once
// What Windows makes of a registration's program: the stored text read as its value type says,
// the program file that text names, and for a bare name the file the search path finds.
// TextAsWindowsReadsIt and ReadingsOf with an expansion passed in and IsBareName are platform-free
// (Resolution.pure.cpp); the rest (Resolution.cpp) reads the environment and the file system,
// keeps nothing between calls, and may run on any thread.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/AppPathEntry.h"

using Expansion = std::function<std::wstring(std::wstring_view)>;

// The text Windows works with: a REG_EXPAND_SZ text after `expand`, a REG_SZ text (or any other
// type's) exactly as stored.
std::wstring TextAsWindowsReadsIt(std::wstring_view stored, uint32_t type,
                                  const Expansion& expand);

// The same with the variables of this process's environment.
std::wstring TextAsWindowsReadsIt(std::wstring_view stored, uint32_t type);

// A program named without folder or drive (no backslash, slash or colon), which Windows looks for
// along the search path. The empty text counts as bare.
bool IsBareName(std::wstring_view program);

// The texts Windows may start a registration's program from: a REG_EXPAND_SZ text after
// `expand`; any other text as written and, when it is a REG_SZ text holding a %NAME% reference,
// also after `expand` (whether the shell expands such a text is not documented, so neither
// reading may call the registration broken).
std::vector<std::wstring> ReadingsOf(std::wstring_view stored, uint32_t type,
                                     const Expansion& expand);

// One reading of a registration and what it starts.
struct ProgramReading {
  std::wstring text;     // the installation text as Windows may read it
  std::wstring program;  // TestedPath of the text; a bare name as the search path finds it
  // Broken: the text names no program. Fine: the program is a full path that exists.
  // Unreachable: the file system could not tell (see FileExists). FileNotFound otherwise: a
  // name that resolved to no full path is never looked up from the current folder.
  EntryStatus status = EntryStatus::Broken;
};

// The reading that starts a program: the first whose program exists, else the first that
// cannot be told, else the first. Touches the file system.
ProgramReading ResolveProgram(std::wstring_view stored, uint32_t type);

// The full path of the program a registration starts (ResolveProgram of its default value), as
// "Ausführen" starts it; empty when it names none or a bare name the search path does not hold.
std::wstring StartedProgram(const AppPathEntry& entry);

// ResolveProgram's status.
EntryStatus ProgramStatus(std::wstring_view stored, uint32_t type);

// The status of a whole registration: ProgramStatus of its default value; without a program,
// SettingsOnly when the key carries other values, else Broken. Touches the file system.
EntryStatus EntryStatusOf(const AppPathEntry& entry);
