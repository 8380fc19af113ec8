#include "catalogue/Cleanup.h"

#include <optional>
#include <set>

#include "catalogue/EntryValues.h"
#include "catalogue/KeyNameRules.h"
#include "catalogue/Scan.h"
#include "catalogue/StoredNames.h"
#include "catalogue/Resolution.h"
#include "catalogue/Scan.h"
#include "platform/Registry.h"

namespace {

// The two roots with an App Paths key.
bool IsScopeRoot(HKEY root) { return root == RootOf(Scope::Machine) || root == RootOf(Scope::User); }

std::wstring KeyPath(const CleanUpKey& key) { return EntryKeyPath(key.keyName); }

// The key as registration files name it.
std::wstring FullPath(const CleanUpKey& key) {
  return AppPathsKeyName(ScopeOfRoot(key.root), key.keyName);
}

CleanUpResult Failure(CleanUpStep step, const CleanUpKey& key, DWORD error) {
  CleanUpResult result;
  result.failedStep = step;
  result.failedKey = key;
  result.error = error;
  return result;
}

std::optional<CleanUpResult> Refusal(const CleanUpKey& key) {
  if (!IsScopeRoot(key.root))
    return Failure(CleanUpStep::InvalidName, key, ERROR_INVALID_PARAMETER);
  if (CheckKeyName(key.keyName) != KeyNameProblem::None)
    return Failure(CleanUpStep::InvalidName, key, ERROR_INVALID_NAME);
  if (IsProtectedName(key.keyName))
    return Failure(CleanUpStep::ProtectedName, key, ERROR_ACCESS_DENIED);
  return std::nullopt;
}

KeptKey Kept(const CleanUpKey& key, KeptBecause why) { return KeptKey{key.root, key.keyName, why, {}, {}}; }

// The keys as stored, each once. One that is gone since it was listed stays gone: kept, as
// changed, so the caller never believes it was removed.
std::optional<CleanUpResult> ResolveStoredNames(const std::vector<CleanUpKey>& keys,
                                                std::vector<CleanUpKey>& targets,
                                                std::vector<KeptKey>& kept) {
  StoredNames stored;
  std::set<std::pair<HKEY, std::wstring>> seen;
  for (const CleanUpKey& key : keys) {
    DWORD error = ERROR_SUCCESS;
    std::optional<std::wstring> name = stored.Find(key.root, key.keyName, error);
    if (!name && error == ERROR_FILE_NOT_FOUND) {
      kept.push_back(Kept(key, KeptBecause::Changed));
      continue;
    }
    if (!name) return Failure(CleanUpStep::Read, key, error);
    CleanUpKey target = key;
    target.keyName = *name;
    if (seen.emplace(key.root, *name).second) targets.push_back(std::move(target));
  }
  return std::nullopt;
}

// Still as listed, and still naming no program Windows can start (one that is there now, or
// that cannot be told about, may work).
bool StillBrokenAsListed(const CleanUpKey& key, const Registry::KeyTree& tree,
                         const FolderPaths& folders) {
  const AppPathEntry now = EntryFromValues(key.keyName, tree.values, folders);
  return now.StoredInstallation == key.listedInstallation &&
         now.StoredDirectory == key.listedDirectory && IsBroken(EntryStatusOf(now));
}

KeptKey UnrestorableKey(const CleanUpKey& key, const RegFile::Unrestorable& obstacle) {
  KeptKey kept = Kept(key, KeptBecause::Unrestorable);
  const std::wstring own = FullPath(key);
  if (obstacle.keyPath.size() > own.size()) kept.obstacleKey = obstacle.keyPath.substr(own.size() + 1);
  const bool keyName = obstacle.obstacle == RegFile::Obstacle::NameBreaksLine &&
                       obstacle.valueName.empty();
  if (!keyName) kept.obstacleValue = obstacle.valueName;
  return kept;
}

// Each key read whole and judged again: those that go, with their trees, and those kept.
std::optional<CleanUpResult> Examine(const std::vector<CleanUpKey>& targets,
                                     std::vector<CleanUpKey>& going,
                                     std::vector<RegFile::Entry>& entries,
                                     std::vector<KeptKey>& kept) {
  const FolderPaths folders = LookUpFolderPaths();
  for (const CleanUpKey& target : targets) {
    LONG error = ERROR_SUCCESS;
    std::optional<Registry::KeyTree> tree =
        Registry::ReadKeyTree(target.root, KeyPath(target), &error);
    if (!tree && error == ERROR_FILE_NOT_FOUND) {
      kept.push_back(Kept(target, KeptBecause::Changed));
      continue;
    }
    if (!tree) return Failure(CleanUpStep::Read, target, static_cast<DWORD>(error));
    if (!StillBrokenAsListed(target, *tree, folders)) {
      kept.push_back(Kept(target, KeptBecause::Changed));
      continue;
    }
    RegFile::Entry entry{FullPath(target), std::move(*tree)};
    if (const auto obstacle = RegFile::FindUnrestorable({entry})) {
      kept.push_back(UnrestorableKey(target, *obstacle));
      continue;
    }
    going.push_back(target);
    entries.push_back(std::move(entry));
  }
  return std::nullopt;
}

CleanUpResult UndoFileFailure(UndoFileResult undoFile) {
  CleanUpResult result = Failure(CleanUpStep::UndoFile, CleanUpKey{}, undoFile.error);
  result.undoFile = std::move(undoFile);
  return result;
}

// The undo file holds every key, so a removal that fails may stop the rest without loss. A key
// that changed after it was judged (between two registry calls) stays; the undo file then
// holds its earlier state as well.
void RemoveAll(const std::vector<CleanUpKey>& going, std::vector<RegFile::Entry>& entries,
               CleanUpResult& result) {
  for (size_t index = 0; index < going.size(); ++index) {
    const CleanUpKey& target = going[index];
    if (Registry::ReadKeyTree(target.root, KeyPath(target)) != entries[index].tree) {
      result.kept.push_back(Kept(target, KeptBecause::Changed));
      continue;
    }
    LONG error = ERROR_SUCCESS;
    if (!Registry::DeleteKeyTree(target.root, KeyPath(target), &error)) {
      result.failedStep = CleanUpStep::Delete;
      result.failedKey = target;
      result.error = static_cast<DWORD>(error);
      return;
    }
    result.removed.push_back(
        RemovedKey{target.root, target.keyName, std::move(entries[index].tree)});
  }
}

}  // namespace

CleanUpKey CleanUpKeyOf(const AppPathEntry& entry) {
  return CleanUpKey{RootOf(entry.Scope), entry.KeyName, entry.StoredInstallation,
                    entry.StoredDirectory};
}

CleanUpResult CleanUp(const std::wstring& undoPath, const std::vector<CleanUpKey>& keys,
                      const UndoFileSeam& beforeReadBack) {
  for (const CleanUpKey& key : keys)
    if (std::optional<CleanUpResult> refused = Refusal(key)) return *refused;
  std::vector<KeptKey> kept;
  std::vector<CleanUpKey> targets;
  if (std::optional<CleanUpResult> failed = ResolveStoredNames(keys, targets, kept)) return *failed;
  std::vector<CleanUpKey> going;
  std::vector<RegFile::Entry> entries;
  if (std::optional<CleanUpResult> failed = Examine(targets, going, entries, kept)) return *failed;

  CleanUpResult result;
  result.kept = std::move(kept);
  if (going.empty()) return result;
  result.undoFile = WriteUndoFile(undoPath, entries, beforeReadBack);
  if (!result.undoFile.ok()) return UndoFileFailure(std::move(result.undoFile));
  RemoveAll(going, entries, result);
  return result;
}
