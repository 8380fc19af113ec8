#pragma once
// The process environment as Windows reads a registration with it: variables expanded, and a
// bare program name looked for where process start-up looks for one. Safe on any thread: each
// call reads the environment and the file system afresh and keeps nothing.
#include <optional>
#include <string>
#include <string_view>

// `text` with every %variable% replaced by the system (names in any letter case). A variable that
// is not set stays as the system leaves it, "%NAME%" literally. Text too long for a single call
// of the system is expanded piece by piece, each %...% pair read from left to right.
std::wstring ExpandEnvironment(std::wstring_view text);

// The full path of the first file (not a folder) named `bareName` in the folders where starting a
// program by a bare name looks: System32, the 16-bit "System" folder, the Windows folder, then
// each folder of PATH in order (its variables expanded; empty and relative entries skipped, the
// current folder never looked at). A name without extension is also tried with ".exe". Nothing
// when no folder holds it.
std::optional<std::wstring> FindOnSearchPath(std::wstring_view bareName);
