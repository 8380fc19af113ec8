#include "catalogue/Undo.h"

#include <algorithm>

#include "catalogue/KeyNameRules.h"
#include "catalogue/Scan.h"
#include "platform/Registry.h"

namespace {

using Tree = std::optional<Registry::KeyTree>;

// The key as it is now, or nothing when it is not there; any other failure is returned.
LONG ReadNow(Scope scope, const std::wstring& keyName, Tree& tree) {
  LONG error = ERROR_SUCCESS;
  tree = Registry::ReadKeyTree(RootOf(scope), EntryKeyPath(keyName), &error);
  return tree || error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

UndoResult Stop(UndoOutcome outcome, const JournalKey& key, DWORD error = ERROR_SUCCESS) {
  return UndoResult{outcome, key.scope, key.keyName, error};
}

// The commands' own rules: nothing below a read-only machine key, no protected name removed, a
// key whose name holds a NUL only read or removed, never written (the registry would write its
// look-alike), and App Paths itself or a key further down is no registration.
std::optional<UndoResult> Refusal(const JournalKey& key, const UndoOptions& options) {
  if (CheckKeyName(key.keyName) != KeyNameProblem::None || (HoldsNul(key.keyName) && key.before))
    return Stop(UndoOutcome::InvalidName, key, ERROR_INVALID_NAME);
  if (key.scope == Scope::Machine && !options.machineWritable)
    return Stop(UndoOutcome::ReadOnlyScope, key, ERROR_ACCESS_DENIED);
  if (!key.before && key.after && IsProtectedName(key.keyName))
    return Stop(UndoOutcome::ProtectedName, key, ERROR_ACCESS_DENIED);
  return std::nullopt;
}

LONG Remove(HKEY root, const std::wstring& path) {
  LONG error = ERROR_SUCCESS;
  Registry::DeleteKeyTree(root, path, &error);
  return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

// Only the values differ: they are written one by one, so the key keeps its class and access
// rights and values not changed stay where they are.
LONG PutValuesBack(HKEY root, const std::wstring& path, const Registry::KeyTree& target,
                   const Registry::KeyTree& now) {
  LONG error = ERROR_SUCCESS;
  for (const Registry::RawValue& value : now.values)
    if (Registry::FindValue(target.values, value.name) == nullptr &&
        !Registry::DeleteValue(root, path, value.name, &error))
      return error;
  for (const Registry::RawValue& value : target.values) {
    const Registry::RawValue* current = Registry::FindValue(now.values, value.name);
    if ((current == nullptr || *current != value) &&
        !Registry::SetRawValue(root, path, value, &error))
      return error;
  }
  return ERROR_SUCCESS;
}

// Makes the key hold `target` (nothing: no key), from what it holds `now`.
LONG PutBack(const JournalKey& key, const Tree& target, const Tree& now) {
  const HKEY root = RootOf(key.scope);
  const std::wstring path = EntryKeyPath(key.keyName);
  LONG error = ERROR_SUCCESS;
  if (!target) return Remove(root, path);
  if (now && now->subKeys == target->subKeys) return PutValuesBack(root, path, *target, *now);
  if (now) Registry::RestoreKeyTree(root, path, *target, &error);
  else Registry::WriteKeyTree(root, path, *target, &error);
  return error;
}

// The order of writing back: keys that come back first, keys that go last.
std::vector<size_t> WritingOrder(const JournalEntry& entry) {
  std::vector<size_t> order(entry.keys.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_partition(order.begin(), order.end(),
                        [&](size_t i) { return entry.keys[i].before.has_value(); });
  return order;
}

// After a failed write: every key written so far, and the one that failed, as it was.
bool Rollback(const JournalEntry& entry, const std::vector<size_t>& order, size_t failedAt,
              const std::vector<Tree>& snapshot) {
  bool whole = true;
  for (size_t step = 0; step <= failedAt; ++step) {
    const size_t i = order[step];
    const JournalKey& key = entry.keys[i];
    Tree now;
    LONG error = ReadNow(key.scope, key.keyName, now);
    if (error == ERROR_SUCCESS) {
      error = PutBack(key, snapshot[i], now);
    } else if (snapshot[i]) {
      Registry::RestoreKeyTree(RootOf(key.scope), EntryKeyPath(key.keyName), *snapshot[i], &error);
    } else {
      error = Remove(RootOf(key.scope), EntryKeyPath(key.keyName));
    }
    whole = whole && error == ERROR_SUCCESS;
  }
  return whole;
}

}  // namespace

bool JournalRecorder::Before(Scope scope, const std::wstring& keyName, LONG* error) {
  JournalKey key{scope, keyName, std::nullopt, std::nullopt};
  const LONG code = CheckKeyName(keyName) == KeyNameProblem::None
                        ? ReadNow(scope, keyName, key.before)
                        : ERROR_INVALID_NAME;
  if (error != nullptr) *error = code;
  if (code != ERROR_SUCCESS) return false;
  keys_.push_back(std::move(key));
  return true;
}

std::optional<JournalEntry> JournalRecorder::After(LONG* error) const {
  if (error != nullptr) *error = ERROR_SUCCESS;
  JournalEntry entry{action_, keys_, false};
  bool changed = false;
  for (JournalKey& key : entry.keys) {
    if (const LONG code = ReadNow(key.scope, key.keyName, key.after); code != ERROR_SUCCESS) {
      if (error != nullptr) *error = code;
      return std::nullopt;
    }
    changed = changed || key.after != key.before;
  }
  if (!changed) return std::nullopt;
  return entry;
}

UndoResult TakeBack(const JournalEntry& entry, const UndoOptions& options) {
  for (const JournalKey& key : entry.keys)
    if (std::optional<UndoResult> refused = Refusal(key, options)) return *refused;
  std::vector<Tree> snapshot(entry.keys.size());
  for (size_t i = 0; i < entry.keys.size(); ++i) {
    const JournalKey& key = entry.keys[i];
    if (const LONG error = ReadNow(key.scope, key.keyName, snapshot[i]); error != ERROR_SUCCESS)
      return Stop(UndoOutcome::ReadFailed, key, static_cast<DWORD>(error));
    if (snapshot[i] != key.after && !options.overwriteChangesSince)
      return Stop(UndoOutcome::ChangedSince, key);
  }
  const std::vector<size_t> order = WritingOrder(entry);
  for (size_t step = 0; step < order.size(); ++step) {
    const JournalKey& key = entry.keys[order[step]];
    const LONG error = PutBack(key, key.before, snapshot[order[step]]);
    if (error != ERROR_SUCCESS) {
      const bool whole = Rollback(entry, order, step, snapshot);
      return Stop(whole ? UndoOutcome::WriteFailed : UndoOutcome::RollbackFailed, key,
                  static_cast<DWORD>(error));
    }
  }
  return {};
}
