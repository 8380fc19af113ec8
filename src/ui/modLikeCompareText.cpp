#include "ui/modLikeCompareText.h"

#include <windows.h>

#include "platform/Text.h"

namespace {

bool SameIgnoringCase(wchar_t textChar, wchar_t patternChar) {
  if (textChar == patternChar) return true;
  return UpperUnit(textChar) == UpperUnit(patternChar) ||
         LowerUnit(textChar) == LowerUnit(patternChar);
}

int CodeOrderOfUpper(wchar_t left, wchar_t right) {
  const wchar_t l = UpperUnit(left);
  const wchar_t r = UpperUnit(right);
  return (l > r) - (l < r);
}

// String sort, so that the hyphen and the apostrophe take a place of their own in the order
// rather than being passed over as they are in word sort.
int LocaleOrderIgnoringCase(wchar_t left, wchar_t right) {
  const int r = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT,
                                &left, 1, &right, 1, nullptr, nullptr, 0);
  if (r == 0) return CodeOrderOfUpper(left, right);
  return r - CSTR_EQUAL;
}

const LikeCharRules kUserLocaleRules{SameIgnoringCase, LocaleOrderIgnoringCase, FoldUnit,
                                     FoldIsExact};

}  // namespace

const LikeCharRules& UserLocaleCharRules() { return kUserLocaleRules; }
