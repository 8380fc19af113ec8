#include "platform/FileAccess.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <memory>

// The rights FileAccess.pure.cpp names by value.
static_assert(FILE_WRITE_DATA == 0x0002 && FILE_ADD_FILE == 0x0002);
static_assert(FILE_APPEND_DATA == 0x0004 && FILE_ADD_SUBDIRECTORY == 0x0004);
static_assert(FILE_DELETE_CHILD == 0x0040);
static_assert(DELETE == 0x00010000 && WRITE_DAC == 0x00040000 && WRITE_OWNER == 0x00080000);
static_assert(GENERIC_ALL == 0x10000000 && GENERIC_WRITE == 0x40000000);

namespace {
std::wstring SidText(PSID sid) {
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(sid, &text)) return L"";
  std::wstring result(text);
  LocalFree(text);
  return result;
}

// Allow and deny entries; the others (object, callback, audit) do not grant file rights.
std::optional<AccessRule> RuleOf(const ACE_HEADER* header) {
  if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_DENIED_ACE_TYPE)
    return std::nullopt;
  // Both types share the layout: header, mask, then the SID where SidStart begins.
  const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
  AccessRule rule;
  rule.Sid = SidText(const_cast<DWORD*>(&ace->SidStart));
  rule.Mask = ace->Mask;
  rule.Allow = header->AceType == ACCESS_ALLOWED_ACE_TYPE;
  rule.InheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
  return rule;
}
}  // namespace

std::optional<std::vector<AccessRule>> ReadAccessRules(const std::wstring& path) {
  if (path.empty() || path.find(L'\0') != std::wstring::npos) return std::nullopt;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                            nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
    return std::nullopt;
  const std::unique_ptr<void, decltype(&LocalFree)> owned(descriptor, LocalFree);
  if (dacl == nullptr) return std::vector<AccessRule>{{L"S-1-1-0", GENERIC_ALL, true, false}};
  std::vector<AccessRule> rules;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(dacl, i, &ace)) return std::nullopt;  // a rule left out could be the one
    if (std::optional<AccessRule> rule = RuleOf(static_cast<const ACE_HEADER*>(ace)))
      rules.push_back(*rule);
  }
  return rules;
}

std::optional<bool> OrdinaryUsersMayChangePath(const std::wstring& path, bool folder) {
  const std::optional<std::vector<AccessRule>> rules = ReadAccessRules(path);
  if (!rules) return std::nullopt;
  return OrdinaryUsersMayChange(*rules, folder);
}
