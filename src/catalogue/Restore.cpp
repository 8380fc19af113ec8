#include "catalogue/Restore.h"

#include <optional>
#include <set>
#include <utility>

#include "catalogue/KeyNameRules.h"
#include "catalogue/Scan.h"
#include "catalogue/StoredNames.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace {

using Registry::KeyTree;

// A registration to restore, with what the file holds for it and what the registry holds now.
struct Target {
  Scope scope = Scope::Machine;
  const KeyTree* fromFile = nullptr;   // its name is the file's spelling
  std::optional<std::wstring> stored;  // the registry's spelling, when the key is there now
  KeyTree now;
};

RestoreResult Failure(RestoreStep step, RestoreKey key, DWORD error) {
  RestoreResult result;
  result.failedStep = step;
  result.failedKey = std::move(key);
  result.error = error;
  return result;
}

const KeyTree* FindInFile(const AppPathsKeys& file, const RestoreKey& key) {
  if (!file.Of(key.scope)) return nullptr;
  const std::wstring upper = ToUpper(key.keyName);
  for (const KeyTree& tree : file.Of(key.scope)->subKeys)
    if (tree.name.size() == key.keyName.size() && ToUpper(tree.name) == upper) return &tree;
  return nullptr;
}

// The same rules as the clean-up's, checked for every key before anything is written.
std::optional<RestoreResult> Choose(const AppPathsKeys& file, const std::vector<RestoreKey>& keys,
                                    std::vector<Target>& targets) {
  std::optional<bool> machineWritable;
  std::set<std::pair<Scope, std::wstring>> seen;
  for (const RestoreKey& key : keys) {
    if (CheckKeyName(key.keyName) != KeyNameProblem::None)
      return Failure(RestoreStep::InvalidName, key, ERROR_INVALID_NAME);
    if (IsProtectedName(key.keyName))
      return Failure(RestoreStep::ProtectedName, key, ERROR_ACCESS_DENIED);
    if (key.scope == Scope::Machine && !machineWritable)
      machineWritable = Registry::MayWrite(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
    if (key.scope == Scope::Machine && !*machineWritable)
      return Failure(RestoreStep::ReadOnlyScope, key, ERROR_ACCESS_DENIED);
    const KeyTree* fromFile = FindInFile(file, key);
    if (fromFile == nullptr) return Failure(RestoreStep::NotInFile, key, ERROR_FILE_NOT_FOUND);
    if (seen.emplace(key.scope, ToUpper(key.keyName)).second)
      targets.push_back(Target{key.scope, fromFile, std::nullopt, {}});
  }
  return std::nullopt;
}

std::optional<RestoreResult> ReadNow(std::vector<Target>& targets) {
  StoredNames storedNames;
  for (Target& target : targets) {
    DWORD error = ERROR_SUCCESS;
    target.stored = storedNames.Find(RootOf(target.scope), target.fromFile->name, error);
    if (!target.stored && error == ERROR_FILE_NOT_FOUND) continue;
    LONG readError = static_cast<LONG>(error);
    std::optional<KeyTree> now;
    if (target.stored)
      now = Registry::ReadKeyTree(RootOf(target.scope), EntryKeyPath(*target.stored), &readError);
    if (!now)
      return Failure(RestoreStep::Read, RestoreKey{target.scope, target.fromFile->name},
                     static_cast<DWORD>(readError));
    target.now = std::move(*now);
  }
  return std::nullopt;
}

// Importing the undo file removes each key again and writes back what it held.
std::vector<RegFile::Entry> UndoEntries(const std::vector<Target>& targets) {
  std::vector<RegFile::Entry> entries;
  for (const Target& target : targets) {
    if (target.stored)
      entries.push_back(
          {AppPathsKeyName(target.scope, *target.stored), target.now, RegFile::Import::Replace});
    else
      entries.push_back(
          {AppPathsKeyName(target.scope, target.fromFile->name), {}, RegFile::Import::Remove});
  }
  return entries;
}

LONG Replace(const Target& target) {
  const HKEY root = RootOf(target.scope);
  LONG error = ERROR_SUCCESS;
  if (target.stored && !Registry::DeleteKeyTree(root, EntryKeyPath(*target.stored), &error) &&
      error != ERROR_FILE_NOT_FOUND)
    return error;
  if (Registry::WriteKeyTree(root, EntryKeyPath(target.fromFile->name), *target.fromFile, &error))
    return ERROR_SUCCESS;
  return error;
}

bool PutBack(const Target& target) {
  const HKEY root = RootOf(target.scope);
  if (target.stored)
    return Registry::RestoreKeyTree(root, EntryKeyPath(*target.stored), target.now);
  LONG error = ERROR_SUCCESS;
  return Registry::DeleteKeyTree(root, EntryKeyPath(target.fromFile->name), &error) ||
         error == ERROR_FILE_NOT_FOUND;
}

// The key that failed may be half written, so it is put back with those before it.
void WriteAll(const std::vector<Target>& targets, RestoreResult& result) {
  for (size_t index = 0; index < targets.size(); ++index) {
    const Target& target = targets[index];
    RestoreKey key{target.scope, target.fromFile->name};
    if (const LONG error = Replace(target); error != ERROR_SUCCESS) {
      result.failedStep = RestoreStep::Write;
      result.failedKey = key;
      result.error = static_cast<DWORD>(error);
      result.restored.clear();
      for (size_t back = index + 1; back-- > 0;)
        if (!PutBack(targets[back]))
          result.notPutBack.push_back(
              RestoreKey{targets[back].scope, targets[back].fromFile->name});
      return;
    }
    result.restored.push_back(std::move(key));
  }
}

}  // namespace

RestoreResult Restore(const AppPathsKeys& file, const std::vector<RestoreKey>& keys,
                      const std::wstring& undoPath) {
  std::vector<Target> targets;
  if (std::optional<RestoreResult> refused = Choose(file, keys, targets)) return *refused;
  if (targets.empty()) return {};
  if (std::optional<RestoreResult> unread = ReadNow(targets)) return *unread;

  RestoreResult result;
  result.undoFile = WriteUndoFile(undoPath, UndoEntries(targets));
  if (!result.undoFile.ok()) {
    const bool keysFault = result.undoFile.failedStep == UndoFileStep::Check;
    const Target* culprit = keysFault ? &targets[result.undoFile.unrestorable.entry] : nullptr;
    RestoreResult failure =
        Failure(RestoreStep::UndoFile,
                culprit ? RestoreKey{culprit->scope, culprit->fromFile->name} : RestoreKey{},
                result.undoFile.error);
    failure.undoFile = std::move(result.undoFile);
    return failure;
  }
  WriteAll(targets, result);
  return result;
}
