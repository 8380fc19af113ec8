#include "catalogue/Cleanup.h"

#include <optional>
#include <set>

#include "catalogue/KeyNameRules.h"
#include "catalogue/Scan.h"
#include "catalogue/StoredNames.h"
#include "platform/Registry.h"

namespace {

// The roots that have an App Paths key.
bool HasAppPathsKey(HKEY root) { return root == HKEY_LOCAL_MACHINE || root == HKEY_CURRENT_USER; }

std::wstring KeyPath(const CleanUpKey& key) { return EntryKeyPath(key.keyName); }

std::wstring FullPath(const CleanUpKey& key) {
  return AppPathsKeyName(ScopeOf(key.root), key.keyName);
}

CleanUpResult Failure(CleanUpStep step, const CleanUpKey& key, DWORD error) {
  CleanUpResult result;
  result.failedStep = step;
  result.failedKey = key;
  result.error = error;
  return result;
}

std::optional<CleanUpResult> Refusal(const CleanUpKey& key) {
  if (!HasAppPathsKey(key.root))
    return Failure(CleanUpStep::InvalidName, key, ERROR_INVALID_PARAMETER);
  if (CheckKeyName(key.keyName) != KeyNameProblem::None)
    return Failure(CleanUpStep::InvalidName, key, ERROR_INVALID_NAME);
  if (IsProtectedName(key.keyName))
    return Failure(CleanUpStep::ProtectedName, key, ERROR_ACCESS_DENIED);
  return std::nullopt;
}

// The keys as stored, each once; a key that is not there stops the clean-up rather than being
// skipped, so the caller never believes it was removed.
std::optional<CleanUpResult> ResolveStoredNames(const std::vector<CleanUpKey>& keys,
                                                std::vector<CleanUpKey>& targets) {
  StoredNames stored;
  std::set<std::pair<HKEY, std::wstring>> seen;
  for (const CleanUpKey& key : keys) {
    DWORD error = ERROR_SUCCESS;
    std::optional<std::wstring> name = stored.Find(key.root, key.keyName, error);
    if (!name) return Failure(CleanUpStep::Read, key, error);
    if (seen.emplace(key.root, *name).second) targets.push_back(CleanUpKey{key.root, *name});
  }
  return std::nullopt;
}

std::optional<CleanUpResult> ReadWhole(const std::vector<CleanUpKey>& targets,
                                       std::vector<RegFile::Entry>& entries) {
  for (const CleanUpKey& target : targets) {
    LONG error = ERROR_SUCCESS;
    std::optional<Registry::KeyTree> tree =
        Registry::ReadKeyTree(target.root, KeyPath(target), &error);
    if (!tree) return Failure(CleanUpStep::Read, target, static_cast<DWORD>(error));
    entries.push_back(RegFile::Entry{FullPath(target), std::move(*tree)});
  }
  return std::nullopt;
}

CleanUpResult UndoFileFailure(UndoFileResult undoFile, const std::vector<CleanUpKey>& targets) {
  const bool keysFault = undoFile.failedStep == UndoFileStep::Check;
  CleanUpResult result =
      Failure(CleanUpStep::UndoFile,
              keysFault ? targets[undoFile.unrestorable.entry] : CleanUpKey{}, undoFile.error);
  result.undoFile = std::move(undoFile);
  return result;
}

// The undo file holds every key, so a removal that fails may stop the rest without loss.
void RemoveAll(const std::vector<CleanUpKey>& targets, std::vector<RegFile::Entry>& entries,
               CleanUpResult& result) {
  for (size_t index = 0; index < targets.size(); ++index) {
    const CleanUpKey& target = targets[index];
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

CleanUpResult CleanUp(const std::wstring& undoPath, const std::vector<CleanUpKey>& keys) {
  for (const CleanUpKey& key : keys)
    if (std::optional<CleanUpResult> refused = Refusal(key)) return *refused;
  std::vector<CleanUpKey> targets;
  if (std::optional<CleanUpResult> missing = ResolveStoredNames(keys, targets)) return *missing;
  if (targets.empty()) return {};
  std::vector<RegFile::Entry> entries;
  if (std::optional<CleanUpResult> unread = ReadWhole(targets, entries)) return *unread;

  CleanUpResult result;
  result.undoFile = WriteUndoFile(undoPath, entries);
  if (!result.undoFile.ok()) return UndoFileFailure(std::move(result.undoFile), targets);
  RemoveAll(targets, entries, result);
  return result;
}
