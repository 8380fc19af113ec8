#pragma once
// A registration's name as the save and the delete show it to the user: the message for a name
// the registry cannot take (the rules themselves are in catalogue/KeyNameRules.h) and the short
// form the delete messages show. Platform-free.
#include <string>
#include <string_view>

#include "catalogue/KeyNameRules.h"

// What the user is told about a problem; empty for None.
std::wstring KeyNameProblemText(KeyNameProblem problem);

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
