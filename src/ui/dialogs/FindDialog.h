#pragma once
// "Suchen ...": asks for a pattern, where to look and whether letter case counts.
#include <windows.h>

#include <optional>

#include "ui/EntrySearch.h"

class Prompts;

namespace FindDialog {

// Shows the dialog modally over `owner`, filled with `last`; the request, or nothing when the
// user cancelled or closed it. A failure nobody foresaw is reported through `prompts`.
std::optional<SearchRequest> Show(HWND owner, const SearchRequest& last, Prompts& prompts);

}  // namespace FindDialog
