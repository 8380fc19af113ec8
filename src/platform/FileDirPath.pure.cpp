#include "platform/FileDirPath.h"

namespace {
size_t AfterLastBackslash(const std::wstring& path) {
  const size_t last = path.rfind(L'\\');
  return last == std::wstring::npos ? 0 : last + 1;
}
}  // namespace

std::wstring FileNamePart(const std::wstring& path) { return path.substr(AfterLastBackslash(path)); }

std::wstring DirectoryPart(const std::wstring& path) { return path.substr(0, AfterLastBackslash(path)); }
