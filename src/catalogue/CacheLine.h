#pragma once
// The cache line: KeyName TAB Installation TAB Directory, what the hidden cache list shows of an
// entry. A display only: a tab inside a value makes it ambiguous, so it is never read back.
// Platform-free.
#include <string>
#include <string_view>

std::wstring FormatCacheLine(std::wstring_view keyName, std::wstring_view installation,
                             std::wstring_view directory);
