#include "platform/FileAccess.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

namespace {
// The rights' values as Windows numbers them (FileAccess.cpp checks them against its headers).
constexpr uint32_t kWriteData = 0x0002;         // FILE_WRITE_DATA, for a folder FILE_ADD_FILE
constexpr uint32_t kAppendData = 0x0004;        // FILE_APPEND_DATA, FILE_ADD_SUBDIRECTORY
constexpr uint32_t kDeleteChild = 0x0040;       // FILE_DELETE_CHILD
constexpr uint32_t kDelete = 0x00010000;        // DELETE
constexpr uint32_t kWriteDac = 0x00040000;      // WRITE_DAC
constexpr uint32_t kWriteOwner = 0x00080000;    // WRITE_OWNER
constexpr uint32_t kGenericAll = 0x10000000;    // GENERIC_ALL
constexpr uint32_t kGenericWrite = 0x40000000;  // GENERIC_WRITE

constexpr uint32_t kChangesFile =
    kWriteData | kAppendData | kDelete | kWriteDac | kWriteOwner | kGenericAll | kGenericWrite;
constexpr uint32_t kChangesFolder = kChangesFile | kDeleteChild;

constexpr std::wstring_view kEveryone = L"S-1-1-0";
constexpr std::array<std::wstring_view, 4> kOrdinaryUsers = {kEveryone, L"S-1-5-32-545",
                                                             L"S-1-5-11", L"S-1-5-4"};

bool IsOrdinaryUsers(std::wstring_view sid) {
  return std::find(kOrdinaryUsers.begin(), kOrdinaryUsers.end(), sid) != kOrdinaryUsers.end();
}
}  // namespace

bool OrdinaryUsersMayChange(const std::vector<AccessRule>& rules, bool folder) {
  const uint32_t changes = folder ? kChangesFolder : kChangesFile;
  std::unordered_map<std::wstring, uint32_t> denied;  // per group, rights taken away so far
  for (const AccessRule& rule : rules) {
    if (rule.InheritOnly || !IsOrdinaryUsers(rule.Sid)) continue;
    if (!rule.Allow) {
      denied[rule.Sid] |= rule.Mask;
      continue;
    }
    const uint32_t takenAway = denied[rule.Sid] | denied[std::wstring(kEveryone)];
    if ((rule.Mask & changes & ~takenAway) != 0) return true;
  }
  return false;
}
