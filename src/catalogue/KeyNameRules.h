#pragma once
// Which names may stand for one App Paths registration, and which the program must never remove.
// Kept below the window and the commands so that the clean-up and a command line apply the same
// rules as the save and the delete. Platform-free.
#include <cstddef>
#include <string_view>

enum class KeyNameProblem { None, Empty, Backslash, ControlCharacter, TooLong };

// The registry's longest key name, in characters.
inline constexpr size_t kMaxKeyNameLength = 255;

// Why `name` cannot name one sub-key of its own below App Paths: an empty name would address
// the App Paths key itself, a backslash a key further down.
KeyNameProblem CheckKeyName(std::wstring_view name);

// The same for a name the user typed, which also must hold no control character (below U+0020,
// U+007F): a tab makes a name that looks like another one in the list. A key that already has
// such a name can still be deleted or cleaned up by its stored name.
KeyNameProblem CheckTypedKeyName(std::wstring_view name);

// True when the stored name holds a NUL. The Win32 registry calls end a name there and would
// act on a look-alike key ("FOO.EXE" for "FOO.EXE<NUL>X"): only the delete and the clean-up,
// which address the counted name, may act on such a key.
bool HoldsNul(std::wstring_view name);

// WINNT32.EXE, INSTALL.EXE and SETUP.EXE in any letter case: installers look these up.
bool IsProtectedName(std::wstring_view name);
