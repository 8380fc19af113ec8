#include "platform/Text.h"

size_t FindIgnoreCase(std::wstring_view text, std::wstring_view needle) {
  if (needle.size() > text.size()) return std::wstring::npos;
  const std::wstring upperText = ToUpper(text);
  const std::wstring upperNeedle = ToUpper(needle);
  // Upper-casing keeps the length of UTF-16 text on both hosts (one code unit in, one out),
  // so positions carry over.
  return upperText.find(upperNeedle);
}
