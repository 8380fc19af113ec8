#include "platform/FileContent.h"

#include <algorithm>

#include "platform/UniqueHandle.h"

namespace {
// ReadFile and WriteFile take at most a DWORD at a time.
constexpr size_t kChunk = 1 << 20;
}  // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path, DWORD& error,
                                                  uint64_t limit) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) {
    error = GetLastError();
    return std::nullopt;
  }
  if (static_cast<uint64_t>(size.QuadPart) > limit) {
    error = ERROR_FILE_TOO_LARGE;
    return std::nullopt;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  for (size_t at = 0; at < bytes.size();) {
    const DWORD wanted = static_cast<DWORD>(std::min(kChunk, bytes.size() - at));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + at, wanted, &read, nullptr)) {
      error = GetLastError();
      return std::nullopt;
    }
    if (read == 0) {
      bytes.resize(at);
      break;
    }
    at += read;
  }
  return bytes;
}

DWORD WriteAndFlush(HANDLE file, const std::vector<uint8_t>& bytes) {
  for (size_t at = 0; at < bytes.size();) {
    const DWORD size = static_cast<DWORD>(std::min(kChunk, bytes.size() - at));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + at, size, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    at += written;
  }
  return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}
