#pragma once
// Which names may stand for one App Paths registration, and which the program must never remove.
// Kept below the window and the commands so that the clean-up and a command line apply the same
// rules as the save and the delete. Platform-free.
#include <cstddef>
#include <string_view>

enum class KeyNameProblem { None, Empty, Backslash, TooLong };

// The registry's longest key name, in characters.
inline constexpr size_t kMaxKeyNameLength = 255;

// Why `name` cannot name one sub-key of its own below App Paths: an empty name would address
// the App Paths key itself, a backslash a key further down.
KeyNameProblem CheckKeyName(std::wstring_view name);

// WINNT32.EXE, INSTALL.EXE and SETUP.EXE in any letter case: installers look these up.
bool IsProtectedName(std::wstring_view name);
