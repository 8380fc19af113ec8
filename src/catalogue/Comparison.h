#pragma once
// What changed in the registrations since a registration file was written (a start-up backup,
// an undo file, any export of the App Paths keys): the registry against the file, for each
// scope the file holds. Comparing is platform-free (Comparison.pure.cpp); reading both sides
// needs Windows (Comparison.cpp).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "catalogue/AppPathsFile.h"

enum class Change {
  Added,    // in the registry, not in the file
  Removed,  // in the file, not in the registry
  Changed,  // in both, but a value or sub-key differs in type or data, or is in one only
};

// A value (by its name; the default value's is empty) or a sub-key (by its own name).
struct ChangedPart {
  bool subKey = false;
  std::wstring name;

  bool operator==(const ChangedPart&) const = default;
};

struct Difference {
  Scope scope = Scope::Machine;
  Change change = Change::Added;
  std::wstring keyName;            // as the registry spells it; a removed one as the file does
  std::vector<ChangedPart> parts;  // Changed: the values, then the sub-keys, that differ

  bool operator==(const Difference&) const = default;
};

// The differences between the registrations (sub-keys) of one scope's App Paths key as the
// registry holds it now and as the file holds it. Names are compared letter case ignored, as
// the registry compares them; the order of values and keys does not count. Sorted by key name.
std::vector<Difference> CompareScope(Scope scope, const Registry::KeyTree& now,
                                     const Registry::KeyTree& file);

// Every scope the file holds, the machine's first; a scope whose key is not in the registry
// counts as empty.
std::vector<Difference> Compare(const AppPathsKeys& now, const AppPathsKeys& file);

// How many registrations were added, removed and changed.
struct ChangeCounts {
  size_t added = 0;
  size_t removed = 0;
  size_t changed = 0;

  size_t total() const { return added + removed + changed; }
  bool operator==(const ChangeCounts&) const = default;
};
ChangeCounts CountChanges(const std::vector<Difference>& differences);

// ---- Both sides read (Windows) ----

enum class ComparisonStep {
  None,
  ReadFile,      // the file could not be opened or read (`error`)
  RefuseFile,    // the file holds what it may not or cannot be read (`problem`, `line`)
  ReadRegistry,  // a key of the registry could not be read (`keyPath`, `error`)
};

struct Comparison {
  ComparisonStep failedStep = ComparisonStep::None;
  uint32_t error = 0;  // Win32 code
  RegFile::ReadProblem problem = RegFile::ReadProblem::None;
  size_t line = 0;
  std::wstring keyPath;  // full path with the root's long name

  AppPathsKeys file;  // what the file holds
  AppPathsKeys now;   // the registry, in the scopes the file holds
  std::vector<Difference> differences;

  bool ok() const { return failedStep == ComparisonStep::None; }
};

// Reads the registration file `path` and then the scopes it holds from the registry, and
// compares them. Waits for the file system: never on the window's thread.
Comparison CompareWithFile(const std::wstring& path);
