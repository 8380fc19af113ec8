#pragma once
// What Windows makes of a registration's program: the stored text read as its value type says,
// the program file that text names, and for a bare name the file the search path finds.
// TextAsWindowsReadsIt with an expansion passed in and IsBareName are platform-free
// (Resolution.pure.cpp); the rest (Resolution.cpp) reads the environment and the file system,
// keeps nothing between calls, and may run on any thread.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

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

// The program file a registration starts: TestedPath of the text as Windows reads it; a bare name
// becomes the full path the search path finds, or stays as it is when none holds it.
std::wstring ResolveProgram(std::wstring_view stored, uint32_t type);

// The full path of the program a registration starts (ResolveProgram of its default value), as
// "Ausführen" starts it; empty when it names none or a bare name the search path does not hold.
std::wstring StartedProgram(const AppPathEntry& entry);

// Broken when the registration names no program. Fine when the resolved program is a full path
// that exists. FileNotFound otherwise: a name that resolved to no full path is never looked up
// from the current folder, which says nothing about the registration.
EntryStatus ProgramStatus(std::wstring_view stored, uint32_t type);

// The status of a whole registration: ProgramStatus of its default value; without a program,
// SettingsOnly when the key carries other values, else Broken. Touches the file system.
EntryStatus EntryStatusOf(const AppPathEntry& entry);
