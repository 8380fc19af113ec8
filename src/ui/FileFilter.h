#pragma once
// The file dialogs' filter as the program writes it ("Programme|*.exe|Alle Dateitypen|*.*") and
// as the common dialog wants it. Platform-free.
#include <string>
#include <string_view>

// "A|*.a|B|*.*" -> "A\0*.a\0B\0*.*\0\0": each bar becomes a NUL and the list ends with two NULs.
// An empty filter gives the empty text (no filter).
std::wstring NulSeparatedFilter(std::wstring_view barSeparated);
