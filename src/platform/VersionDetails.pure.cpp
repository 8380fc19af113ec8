#include "platform/VersionDetails.h"

#include <algorithm>

namespace {
std::wstring TableName(Translation translation) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  const uint32_t both = (uint32_t{translation.language} << 16) | translation.codePage;
  std::wstring name(8, L'0');
  for (int i = 0; i < 8; ++i) name[7 - i] = kDigits[(both >> (4 * i)) & 0xF];
  return name;
}
}  // namespace

std::vector<std::wstring> StringTableNames(std::optional<Translation> first) {
  std::vector<std::wstring> names;
  if (first) names.push_back(TableName(*first));
  for (const wchar_t* fallback : {L"040904B0", L"040904E4"})
    if (std::find(names.begin(), names.end(), fallback) == names.end()) names.push_back(fallback);
  return names;
}

std::wstring FixedVersionText(uint32_t mostSignificant, uint32_t leastSignificant) {
  return std::to_wstring(mostSignificant >> 16) + L"." + std::to_wstring(mostSignificant & 0xFFFF) +
         L"." + std::to_wstring(leastSignificant >> 16) + L"." +
         std::to_wstring(leastSignificant & 0xFFFF);
}
