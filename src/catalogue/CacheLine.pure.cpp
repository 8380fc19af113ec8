#include "catalogue/CacheLine.h"

#include "platform/ControlPictures.h"

namespace {
constexpr wchar_t kSeparator = L'\t';
}  // namespace

std::wstring FormatCacheLine(std::wstring_view keyName, std::wstring_view installation,
                             std::wstring_view directory) {
  std::wstring line;
  line.reserve(keyName.size() + installation.size() + directory.size() + 2);
  line.append(WithControlPictures(keyName)).append(1, kSeparator).append(installation).append(1, kSeparator);
  line.append(directory);
  return line;
}
