#include "ui/modLikeCompareText.h"

#include <windows.h>

#include <array>
#include <mutex>

#include "platform/Text.h"

namespace {

// The locale's upper- and lower-case form of every UTF-16 code unit, mapped once: a search
// compares characters many thousand times, and asking the system each time would dominate it.
struct CaseTables {
  std::array<wchar_t, 0x10000> upper;
  std::array<wchar_t, 0x10000> lower;
};

bool IsSurrogate(unsigned unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// Every code unit except NUL and the surrogate halves (which have no case and, unpaired, are no
// valid text to hand the system) in one text, so one call maps them all.
std::wstring AllMappableUnits() {
  std::wstring units;
  units.reserve(0x10000);
  for (unsigned unit = 1; unit <= 0xFFFF; ++unit)
    if (!IsSurrogate(unit)) units.push_back(static_cast<wchar_t>(unit));
  return units;
}

void FillTable(std::array<wchar_t, 0x10000>& table, const std::wstring& units,
               const std::wstring& mapped) {
  for (unsigned unit = 0; unit <= 0xFFFF; ++unit) table[unit] = static_cast<wchar_t>(unit);
  if (mapped.size() != units.size()) return;  // no per-unit mapping: compare by code only
  for (size_t i = 0; i < units.size(); ++i) table[static_cast<unsigned>(units[i])] = mapped[i];
}

const CaseTables& Tables() {
  static CaseTables tables;
  static std::once_flag filled;
  std::call_once(filled, [] {
    const std::wstring units = AllMappableUnits();
    FillTable(tables.upper, units, ToUpper(units));
    FillTable(tables.lower, units, ToLower(units));
  });
  return tables;
}

unsigned Unit(wchar_t c) { return static_cast<unsigned>(c); }

bool SameIgnoringCase(wchar_t textChar, wchar_t patternChar) {
  if (textChar == patternChar) return true;
  const CaseTables& t = Tables();
  return t.upper[Unit(textChar)] == t.upper[Unit(patternChar)] ||
         t.lower[Unit(textChar)] == t.lower[Unit(patternChar)];
}

int CodeOrderOfUpper(wchar_t left, wchar_t right) {
  const CaseTables& t = Tables();
  const wchar_t l = t.upper[Unit(left)];
  const wchar_t r = t.upper[Unit(right)];
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

const LikeCharRules kUserLocaleRules{SameIgnoringCase, LocaleOrderIgnoringCase};

}  // namespace

const LikeCharRules& UserLocaleCharRules() { return kUserLocaleRules; }

std::optional<bool> LikeCompareText(const std::wstring& text, const std::wstring& pattern) {
  return LikeMatch(text, pattern, kUserLocaleRules);
}
