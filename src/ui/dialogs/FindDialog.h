#pragma once
// "Suchen ...": asks for a pattern, where to look and whether letter case counts.
#include <windows.h>

#include <optional>

#include "ui/EntrySearch.h"

namespace FindDialog {

// Shows the dialog modally over `owner`, filled with `last`; the request, or nothing when the
// user cancelled or closed it.
std::optional<SearchRequest> Show(HWND owner, const SearchRequest& last);

}  // namespace FindDialog
