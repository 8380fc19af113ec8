#pragma once
// The cache line: KeyName TAB Installation TAB Directory, what the hidden cache list shows of an
// entry, the key name's control characters as their pictures (the two texts come so). A display
// only, never read back.
// Platform-free.
#include <string>
#include <string_view>

std::wstring FormatCacheLine(std::wstring_view keyName, std::wstring_view installation,
                             std::wstring_view directory);
