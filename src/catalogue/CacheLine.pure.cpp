#include "catalogue/CacheLine.h"

namespace {
constexpr wchar_t kSeparator = L'\t';

// The text before the first separator; `rest` becomes the text after it (empty when none).
std::wstring_view TakeField(std::wstring_view& rest) {
  const size_t tab = rest.find(kSeparator);
  const std::wstring_view field = rest.substr(0, tab);
  rest = tab == std::wstring_view::npos ? std::wstring_view() : rest.substr(tab + 1);
  return field;
}
}  // namespace

std::wstring FormatCacheLine(std::wstring_view keyName, std::wstring_view installation,
                             std::wstring_view directory) {
  std::wstring line;
  line.reserve(keyName.size() + installation.size() + directory.size() + 2);
  line.append(keyName).append(1, kSeparator).append(installation).append(1, kSeparator);
  line.append(directory);
  return line;
}

CacheFields ParseCacheLine(std::wstring_view line) {
  std::wstring_view rest = line;
  CacheFields fields;
  fields.KeyName = TakeField(rest);
  fields.Installation = TakeField(rest);
  fields.Directory = rest;
  return fields;
}
