#include <windows.h>

#include "platform/Text.h"

namespace {
// LCMapStringEx with the user's locale; a mapping never changes the length of the text here
// (no LCMAP_LINGUISTIC_CASING expansions), so one pass with the same buffer size suffices.
std::wstring MapCase(std::wstring_view text, DWORD flag) {
  std::wstring out(text);
  if (out.empty()) return out;
  const int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flag, text.data(),
                              static_cast<int>(text.size()), out.data(),
                              static_cast<int>(out.size()), nullptr, nullptr, 0);
  if (n != static_cast<int>(out.size())) {
    // Fall back to the per-character system mapping rather than return a partial text.
    out.assign(text);
    if (flag == LCMAP_UPPERCASE)
      CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
    else
      CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
  }
  return out;
}
}  // namespace

std::wstring ToUpper(std::wstring_view text) { return MapCase(text, LCMAP_UPPERCASE); }
std::wstring ToLower(std::wstring_view text) { return MapCase(text, LCMAP_LOWERCASE); }

std::wstring FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring out(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0), L'\0');
  out.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out.data(),
                                 static_cast<int>(out.size())));
  return out;
}

namespace {
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

void FillTable(wchar_t* table, const std::wstring& units, const std::wstring& mapped) {
  for (unsigned unit = 0; unit <= 0xFFFF; ++unit) table[unit] = static_cast<wchar_t>(unit);
  if (mapped.size() != units.size()) return;  // no per-unit mapping: compare by code only
  for (size_t i = 0; i < units.size(); ++i) table[static_cast<unsigned>(units[i])] = mapped[i];
}
}  // namespace

void MapEveryUnit(wchar_t* upper, wchar_t* lower) {
  const std::wstring units = AllMappableUnits();
  FillTable(upper, units, ToUpper(units));
  FillTable(lower, units, ToLower(units));
}
