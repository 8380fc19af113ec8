#include "platform/Text.h"

#include <cstdint>
#include <memory>
#include <vector>

size_t FindIgnoreCase(std::wstring_view text, std::wstring_view needle) {
  if (needle.size() > text.size()) return std::wstring::npos;
  const std::wstring upperText = ToUpper(text);
  const std::wstring upperNeedle = ToUpper(needle);
  // Upper-casing keeps the length of UTF-16 text on both hosts (one code unit in, one out),
  // so positions carry over.
  return upperText.find(upperNeedle);
}

namespace {

constexpr unsigned kUnits = 0x10000;
constexpr uint32_t kNone = ~uint32_t{0};

// Case of every code unit, looked up rather than asked of the system: a search compares
// characters many thousand times.
struct CaseTables {
  wchar_t upper[kUnits];
  wchar_t lower[kUnits];
  wchar_t fold[kUnits];
  bool exact[kUnits];
};

unsigned Unit(wchar_t c) { return static_cast<unsigned>(c) & 0xFFFF; }

// A unit folds to the first unit with its upper and its lower case. Units of one upper case are
// chained, so finding that first one looks at a few units only.
void FillFolds(CaseTables& t) {
  std::vector<uint32_t> firstOfUpper(kUnits, kNone);
  std::vector<uint32_t> nextOfUpper(kUnits, kNone);
  for (unsigned unit = 0; unit < kUnits; ++unit) {
    const unsigned upper = Unit(t.upper[unit]);
    t.fold[unit] = static_cast<wchar_t>(unit);
    for (uint32_t other = firstOfUpper[upper]; other != kNone; other = nextOfUpper[other])
      if (t.lower[other] == t.lower[unit]) {
        t.fold[unit] = t.fold[other];
        break;
      }
    nextOfUpper[unit] = firstOfUpper[upper];
    firstOfUpper[upper] = unit;
  }
}

// Exact: no other fold shares the unit's upper case or its lower case.
void FillExactness(CaseTables& t) {
  std::vector<uint32_t> foldOfUpper(kUnits, kNone);
  std::vector<uint32_t> foldOfLower(kUnits, kNone);
  std::vector<bool> upperShared(kUnits, false);
  std::vector<bool> lowerShared(kUnits, false);
  for (unsigned unit = 0; unit < kUnits; ++unit) {
    const unsigned upper = Unit(t.upper[unit]);
    const unsigned lower = Unit(t.lower[unit]);
    const uint32_t fold = Unit(t.fold[unit]);
    if (foldOfUpper[upper] == kNone) foldOfUpper[upper] = fold;
    if (foldOfLower[lower] == kNone) foldOfLower[lower] = fold;
    if (foldOfUpper[upper] != fold) upperShared[upper] = true;
    if (foldOfLower[lower] != fold) lowerShared[lower] = true;
  }
  for (unsigned unit = 0; unit < kUnits; ++unit)
    t.exact[unit] = !upperShared[Unit(t.upper[unit])] && !lowerShared[Unit(t.lower[unit])];
}

std::unique_ptr<CaseTables> MakeTables() {
  auto tables = std::make_unique<CaseTables>();
  MapEveryUnit(tables->upper, tables->lower);
  FillFolds(*tables);
  FillExactness(*tables);
  return tables;
}

// Made on first use; a look-up afterwards costs no more than reading a pointer.
const CaseTables& Tables() {
  static const std::unique_ptr<CaseTables> tables = MakeTables();
  return *tables;
}

// Beyond 16 bits (the native build's wide characters) there is no table: such a character is
// its own case.
bool Beyond(wchar_t c) { return static_cast<unsigned long>(c) >= kUnits; }

}  // namespace

wchar_t UpperUnit(wchar_t c) { return Beyond(c) ? c : Tables().upper[Unit(c)]; }
wchar_t LowerUnit(wchar_t c) { return Beyond(c) ? c : Tables().lower[Unit(c)]; }
wchar_t FoldUnit(wchar_t c) { return Beyond(c) ? c : Tables().fold[Unit(c)]; }
bool FoldIsExact(wchar_t c) { return Beyond(c) || Tables().exact[Unit(c)]; }

std::wstring FoldCase(std::wstring_view text) {
  const CaseTables& t = Tables();
  std::wstring folded(text);
  for (wchar_t& c : folded)
    if (!Beyond(c)) c = t.fold[Unit(c)];
  return folded;
}
