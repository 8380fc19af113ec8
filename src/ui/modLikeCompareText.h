#pragma once
// The wildcard match with letters compared as the user's locale defines letter case (so "ä"
// matches "Ä", not only A to Z), and ranges such as [a-z] following the locale's sort order.
// Texts are read in their fold (FoldCase), which the catalogue keeps of every entry.
#include "ui/Like.h"

// The character rules of that comparison, for compiling a pattern once and matching many texts.
const LikeCharRules& UserLocaleCharRules();
