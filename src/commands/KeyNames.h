#pragma once
// A registration's name as the save and the delete see it: whether the registry can take it as
// the name of one sub-key, whether installers depend on it, and the short form the delete
// messages show. Platform-free.
#include <string>
#include <string_view>

enum class KeyNameProblem { None, Empty, Backslash, ControlCharacter, TooLong };

// The registry's longest key name, in characters.
inline constexpr size_t kMaxKeyNameLength = 255;

// Why `name` cannot name one sub-key of its own below App Paths: an empty name would address
// the App Paths key itself, a backslash a key further down; a control character (a tab, say)
// makes a name that looks like another one in the list.
KeyNameProblem CheckKeyName(std::wstring_view name);

// What the user is told about a problem; empty for None.
std::wstring KeyNameProblemText(KeyNameProblem problem);

// WINNT32.EXE, INSTALL.EXE and SETUP.EXE in any letter case.
bool IsProtectedName(std::wstring_view name);

// Winword.exe -> Winword: the name without its last four characters. A name shorter than that
// has no extension to drop and is shown whole.
std::wstring ShortName(std::wstring_view name);

// The delete command's question and confirmation for the entry `name`.
std::wstring DeleteQuestion(std::wstring_view name);
std::wstring DeletedMessage(std::wstring_view name);

// A refused delete or save, with the reason on the next line: the system's text for the error
// `code`, or the code itself when the system has no text for it.
std::wstring DeleteFailedMessage(std::wstring_view name, std::wstring_view systemText,
                                 unsigned long code);
std::wstring SaveFailedMessage(std::wstring_view systemText, unsigned long code);
