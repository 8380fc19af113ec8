#pragma once
// The cache line: KeyName TAB Installation TAB Directory. Platform-free.
#include <string>
#include <string_view>

struct CacheFields {
  std::wstring KeyName;
  std::wstring Installation;
  std::wstring Directory;
};

std::wstring FormatCacheLine(std::wstring_view keyName, std::wstring_view installation,
                             std::wstring_view directory);

// Splits at the first tab and then at the next one; a missing tab leaves the later fields empty.
CacheFields ParseCacheLine(std::wstring_view line);
