#pragma once
// Which registrations a report and a clean-up count as broken, and which of those may go. The
// command line and the window's clean-up apply the same rules. Platform-free.
#include <vector>

#include "catalogue/AppPathEntry.h"

// Why a broken registration stays.
enum class KeptBecause {
  Nothing,        // it may be removed
  ProtectedName,  // an installer looks it up (IsProtectedName)
  ReadOnlyScope,  // the machine's key may not be written
  Changed,        // found changed, gone, repaired or unreachable right before it would go
  Unrestorable,   // no registration file would bring it back exactly
};

struct CleanUpCandidate {
  const AppPathEntry* entry = nullptr;  // points into the vector given
  KeptBecause kept = KeptBecause::Nothing;

  bool removable() const { return kept == KeptBecause::Nothing; }
};

// The entries of `withStatus` whose program Windows cannot start (FileNotFound or Broken), in
// the order given. Settings-only keys, hidden machine entries, fine ones and those still being
// checked are none of them. A user's registration is always writable for that user.
std::vector<CleanUpCandidate> BrokenEntries(const std::vector<AppPathEntry>& withStatus,
                                            bool machineWritable);
