#pragma once
// A registration's name as the delete and a refused write show it to the user. Platform-free.
#include <string>
#include <string_view>

#include "catalogue/KeyNameRules.h"

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
