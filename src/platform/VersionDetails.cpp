#include "platform/VersionDetails.h"

#include <windows.h>

#include <cwchar>

namespace {
// The language-neutral resource, not the one of the user interface's language (MUI files).
constexpr DWORD kNeutral = FILE_VER_GET_NEUTRAL;

std::optional<std::vector<BYTE>> ReadResource(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeExW(kNeutral, path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> resource(size);
  if (!GetFileVersionInfoExW(kNeutral, path.c_str(), 0, size, resource.data())) return std::nullopt;
  return resource;
}

std::optional<Translation> FirstTranslation(std::vector<BYTE>& resource) {
  void* found = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(resource.data(), L"\\VarFileInfo\\Translation", &found, &size) ||
      size < sizeof(DWORD))
    return std::nullopt;
  const WORD* pair = static_cast<const WORD*>(found);
  return Translation{pair[0], pair[1]};
}

// The first non-empty text of that name in the tables, in turn.
std::wstring StringValue(std::vector<BYTE>& resource, const std::vector<std::wstring>& tables,
                         const wchar_t* name) {
  for (const std::wstring& table : tables) {
    const std::wstring query = L"\\StringFileInfo\\" + table + L"\\" + name;
    void* found = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(resource.data(), query.c_str(), &found, &length) || length == 0) continue;
    // The length may or may not count the terminating NUL.
    const wchar_t* text = static_cast<const wchar_t*>(found);
    std::wstring value(text, wcsnlen(text, length));
    if (!value.empty()) return value;
  }
  return L"";
}

std::wstring FixedVersion(std::vector<BYTE>& resource) {
  void* found = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(resource.data(), L"\\", &found, &size) || size < sizeof(VS_FIXEDFILEINFO))
    return L"";
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
  if (fixed->dwSignature != VS_FFI_SIGNATURE) return L"";
  return FixedVersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}
}  // namespace

std::optional<VersionDetails> ReadVersionDetails(const std::wstring& path) {
  if (path.empty() || path.find(L'\0') != std::wstring::npos) return std::nullopt;
  std::optional<std::vector<BYTE>> resource = ReadResource(path);
  if (!resource) return std::nullopt;
  const std::vector<std::wstring> tables = StringTableNames(FirstTranslation(*resource));
  VersionDetails details;
  details.Description = StringValue(*resource, tables, L"FileDescription");
  details.Company = StringValue(*resource, tables, L"CompanyName");
  details.Version = StringValue(*resource, tables, L"FileVersion");
  if (details.Version.empty()) details.Version = FixedVersion(*resource);
  return details;
}
