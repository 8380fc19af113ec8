#include "support/SlowFileSystem.h"

#include <cwchar>

namespace {
std::wstring Environment(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}
}  // namespace

std::optional<SlowFileSystem> LoadedSlowFileSystem() {
  if (Environment(L"LD_PRELOAD").find(L"slowfs") == std::wstring::npos) return std::nullopt;
  // The library's own defaults when the variables are not set.
  SlowFileSystem slow{Environment(L"SLOWFS_MARKER"), 2000};
  if (slow.marker.empty()) slow.marker = L"velmarin-slow";
  const std::wstring delay = Environment(L"SLOWFS_DELAY_MS");
  if (!delay.empty()) slow.delayMs = static_cast<DWORD>(std::wcstoul(delay.c_str(), nullptr, 10));
  return slow;
}

std::wstring SlowFolderPath(const SlowFileSystem& slow) {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  return std::wstring(temp) + slow.marker + L"-" + std::to_wstring(GetCurrentProcessId());
}
