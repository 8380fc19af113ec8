#pragma once
// The program an installation text names, and what follows it. Platform-free.
#include <string>
#include <string_view>

// The program file an installation text names: the text between the quotes of a quoted path,
// otherwise the text up to ".exe " (arguments cut off), otherwise the whole text.
std::wstring TestedPath(std::wstring_view installation);

// What follows the program TestedPath names, as it stands: the text after the closing quote of
// a quoted path, or after the ".exe" that ends an unquoted one (" /n" for C:\X\a.exe /n);
// empty when nothing follows.
std::wstring ArgumentsAfterProgram(std::wstring_view installation);
