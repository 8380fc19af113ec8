#pragma once
// The wildcard match with letters compared as the user's locale defines letter case (so "ä"
// matches "Ä", not only A to Z), and ranges such as [a-z] following the locale's sort order.
#include <optional>
#include <string>

#include "ui/Like.h"

// The character rules of that comparison, for compiling a pattern once and matching many texts.
const LikeCharRules& UserLocaleCharRules();

// True when `text` matches `pattern` without regard to letter case; nothing when the pattern is
// malformed (a [ without its ], or a descending range).
std::optional<bool> LikeCompareText(const std::wstring& text, const std::wstring& pattern);
