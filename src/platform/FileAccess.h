#pragma once
// Whether users who are not administrators may change a file or folder: the rule over a DACL
// is platform-free (FileAccess.pure.cpp); reading the DACL (FileAccess.cpp) may run on any
// thread.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One access control entry as the rule needs it.
struct AccessRule {
  std::wstring Sid;          // string form, "S-1-1-0"
  uint32_t Mask = 0;         // the access rights it grants or denies
  bool Allow = true;         // an allow entry; false: a deny entry
  bool InheritOnly = false;  // applies only to what is created below a folder, not to it

  bool operator==(const AccessRule&) const = default;
};

// True when the entries, in their order, let Everyone (S-1-1-0), Users (S-1-5-32-545),
// Authenticated Users (S-1-5-11) or INTERACTIVE (S-1-5-4) write, append to, delete, or take
// over (WRITE_DAC, WRITE_OWNER) the object; for a folder also add files or folders to it or
// delete what it holds. A deny entry before an allow takes its rights away (Everyone's for all
// four groups).
bool OrdinaryUsersMayChange(const std::vector<AccessRule>& rules, bool folder);

// The DACL of a file or folder as rules; a missing DACL (which lets everyone do everything) as
// one rule granting Everyone all rights. Nothing when the DACL cannot be read.
std::optional<std::vector<AccessRule>> ReadAccessRules(const std::wstring& path);

// ReadAccessRules and OrdinaryUsersMayChange together; nothing when the DACL cannot be read.
std::optional<bool> OrdinaryUsersMayChangePath(const std::wstring& path, bool folder);
