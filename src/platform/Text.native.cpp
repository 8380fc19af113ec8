#include <cwctype>

#include "platform/Text.h"

// The native test build: the C library's wide-character case mapping (the tests select a UTF-8
// locale).
std::wstring ToUpper(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  return out;
}

std::wstring ToLower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return out;
}

std::wstring FromAnsi(std::string_view bytes) {
  std::wstring out;
  for (const char byte : bytes)
    out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
  return out;
}

void MapEveryUnit(wchar_t* upper, wchar_t* lower) {
  for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
    const auto c = static_cast<wint_t>(unit);
    const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
    upper[unit] = static_cast<wchar_t>(surrogate ? c : std::towupper(c));
    lower[unit] = static_cast<wchar_t>(surrogate ? c : std::towlower(c));
  }
}
