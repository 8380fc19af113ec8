#pragma once
// A file's bytes, read and written whole.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Everything in the file at `path`; nothing (the reason in `error`) when it cannot be opened or
// read, or holds more than `limit` bytes (ERROR_FILE_TOO_LARGE). A file that turns out shorter
// than it said gives the bytes there were.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path, DWORD& error,
                                                  uint64_t limit = UINT64_MAX);

// Writes all of `bytes` to `file` and flushes them to the disk, not only into the cache. The
// Win32 code of the failure, or ERROR_SUCCESS.
DWORD WriteAndFlush(HANDLE file, const std::vector<uint8_t>& bytes);
