#include "catalogue/CleanUpSelection.h"

#include "catalogue/KeyNameRules.h"

namespace {
KeptBecause ReasonToKeep(const AppPathEntry& entry, bool machineWritable) {
  if (IsProtectedName(entry.KeyName)) return KeptBecause::ProtectedName;
  if (entry.Scope == Scope::Machine && !machineWritable) return KeptBecause::ReadOnlyScope;
  return KeptBecause::Nothing;
}
}  // namespace

std::vector<CleanUpCandidate> BrokenEntries(const std::vector<AppPathEntry>& withStatus,
                                            bool machineWritable) {
  std::vector<CleanUpCandidate> broken;
  for (const AppPathEntry& entry : withStatus)
    if (IsBroken(entry.Status))
      broken.push_back(CleanUpCandidate{&entry, ReasonToKeep(entry, machineWritable)});
  return broken;
}
