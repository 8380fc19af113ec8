// The OK button: the panel's entry goes into the registry, and the row then shows what the
// registry holds. Only what the user changed is written; whatever the save wrote is undone when
// a later write fails, so a failure really leaves everything as it was.
#include <windows.h>

#include <optional>

#include "catalogue/EntryValues.h"
#include "catalogue/Scan.h"
#include "commands/Commands.h"
#include "commands/KeyNames.h"
#include "commands/NulNameGuard.h"
#include "commands/SavePlan.h"
#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "ui/Root.h"
#include "ui/Texts.h"

namespace {

constexpr wchar_t kNewKeyClass[] = L"1";
constexpr wchar_t kInstallationValue[] = L"";
constexpr wchar_t kDirectoryValue[] = L"Path";
constexpr wchar_t kLastBrowseFolderValue[] = L"Path";  // a value of the App Paths key itself

// What the save writes, decided before anything is written.
struct SavePlan {
  Scope scope = Scope::Machine;  // the key's: the entry's own, or the new entry's
  HKEY root = HKEY_LOCAL_MACHINE;
  std::wstring keyName;          // the sub-key's name: as stored, or the typed name upper-cased
  bool typedName = false;        // a new entry or a rename: the name comes from Text1
  std::optional<Registry::KeyTree> carried;  // a rename: everything the old key holds
  std::vector<Registry::RawValue> values;    // the values the user changed
  LONG readError = ERROR_SUCCESS;            // the old key could not be read
};

std::wstring KeyPathOf(const std::wstring& keyName) { return EntryKeyPath(keyName); }

bool RefusedName(Root& root, const std::wstring& keyName) {
  const KeyNameProblem problem = CheckTypedKeyName(keyName);
  if (problem == KeyNameProblem::None) return false;
  root.Ask().Message(root.Handle(), Texts::KeyNameProblemText(problem), root.Title(),
                     MB_OK | MB_ICONWARNING);
  root.Text1().Focus();
  return true;
}

// A typed name must not take over an existing registration unasked. Only Yes overwrites: a box
// that could not be shown counts as No.
bool MayWriteKey(Root& root, const SavePlan& plan) {
  if (!Registry::KeyExists(plan.root, KeyPathOf(plan.keyName))) return true;
  const std::wstring question =
      std::wstring(Texts::kOverwriteQuestion1) + L"\n" + Texts::kOverwriteQuestion2;
  return root.Ask().Message(root.Handle(), question, root.Title(), MB_YESNO | MB_ICONWARNING) ==
         IDYES;
}

// What becomes of a box the user did not edit.
enum class Unedited {
  Skip,      // the key keeps what it holds now: its value is not written
  AsLoaded,  // the key is gone: the value goes back as it was loaded, type and bytes
  AsShown,   // a new entry replaces an existing key: the box's text is written
};

// The panel's two boxes against what was loaded into them: an edited box is written as typed.
void PlanValues(Root& root, Unedited unedited, SavePlan& plan) {
  const PanelSource& loaded = root.Panel();
  const auto plan1 = [&](const wchar_t* name, const std::wstring& text, const std::wstring& before,
                         const std::optional<Registry::RawValue>& stored) {
    if (ValueWasEdited(text, before, unedited == Unedited::AsShown))
      plan.values.push_back(Registry::TextValue(name, text, WrittenType(text, stored)));
    else if (unedited == Unedited::AsLoaded && stored)
      plan.values.push_back(*stored);
  };
  plan1(kInstallationValue, root.Text2().Text(), loaded.installation, loaded.storedInstallation);
  plan1(kDirectoryValue, root.Text3().Text(), loaded.directory, loaded.storedDirectory);
}

enum class KeyState { AsLoaded, Changed, Removed };

// Whether the key still holds what the panel loaded from it, or another program changed or
// removed it meanwhile.
KeyState StateSinceLoaded(const SavePlan& plan, const PanelSource& loaded) {
  const auto values = Registry::ReadValues(plan.root, KeyPathOf(plan.keyName));
  if (!values) return KeyState::Removed;
  const auto same = [&](const wchar_t* name, const std::optional<Registry::RawValue>& before) {
    const Registry::RawValue* now = Registry::FindValue(*values, name);
    if (now == nullptr || !before) return now == nullptr && !before;
    return now->type == before->type && now->data == before->data;
  };
  return same(kInstallationValue, loaded.storedInstallation) &&
                 same(kDirectoryValue, loaded.storedDirectory)
             ? KeyState::AsLoaded
             : KeyState::Changed;
}

enum class ConflictAnswer { Overwrite, Reload };

// Only Yes writes: a box that could not be shown reloads.
ConflictAnswer Ask(Root& root, const wchar_t* question) {
  return root.Ask().Message(root.Handle(), question, root.Title(), MB_YESNO | MB_ICONWARNING) ==
                 IDYES
             ? ConflictAnswer::Overwrite
             : ConflictAnswer::Reload;
}

// The row of a key another program removed goes; the panel shows the row selected then.
void ForgetRemovedKey(Root& root, Scope scope, const std::wstring& keyName) {
  if (const AppPathEntry* gone = root.Entries().FindByKey(scope, keyName)) root.Forget(gone->Id);
  root.Text1().SetLocked(true);
  root.LoadSelectedRow();
}

// The row and the panel show what the key holds now (or the row goes with a removed key).
void ShowCurrentState(Root& root, const SavePlan& plan) {
  if (root.Reload(plan.scope, plan.keyName) == 0) {
    ForgetRemovedKey(root, plan.scope, plan.keyName);
    return;
  }
  root.Text1().SetLocked(true);
  root.LoadSelectedRow();
}

// Writes the plan into the key; the first failure stops and is returned.
LONG WritePlan(const SavePlan& plan, bool keyExisted) {
  const std::wstring keyPath = KeyPathOf(plan.keyName);
  LONG error = ERROR_SUCCESS;
  if (plan.carried && keyExisted && !Registry::DeleteKeyTree(plan.root, keyPath, &error)) return error;
  if (!keyExisted || plan.carried) {
    Registry::CreateKey(plan.root, keyPath, kNewKeyClass, &error);
    if (error != ERROR_SUCCESS) return error;
  }
  if (plan.carried && !Registry::WriteKeyTree(plan.root, keyPath, *plan.carried, &error)) return error;
  for (const Registry::RawValue& value : plan.values)
    if (!Registry::SetRawValue(plan.root, keyPath, value, &error)) return error;
  return ERROR_SUCCESS;
}

// A failed save leaves the key as it was: restored from the copy taken before, or removed when
// the save created it.
LONG WriteOrUndo(const SavePlan& plan) {
  const std::wstring keyPath = KeyPathOf(plan.keyName);
  LONG error = ERROR_SUCCESS;
  const std::optional<Registry::KeyTree> before = Registry::ReadKeyTree(plan.root, keyPath, &error);
  if (!before && error != ERROR_FILE_NOT_FOUND) return error;
  error = WritePlan(plan, before.has_value());
  if (error == ERROR_SUCCESS) return error;
  if (before)
    Registry::RestoreKeyTree(plan.root, keyPath, *before);
  else
    Registry::DeleteKeyTree(plan.root, keyPath);
  return error;
}

void ReportWriteFailure(Root& root, LONG error) {
  const auto code = static_cast<DWORD>(error);
  root.Ask().Message(root.Handle(), SaveFailedMessage(SystemMessage(code), code), root.Title(),
                     MB_OK | MB_ICONERROR);
}

// Without a browse since the start the dialog holds no file, and the folder remembered by an
// earlier run stays. The folder only saves the user a few clicks at the next browse, so a
// refused write is not worth a message after a save that succeeded.
void RememberBrowseFolder(Root& root) {
  const std::wstring folder = DirectoryPart(root.Dialog1FileName());
  if (folder.empty()) return;
  Registry::SetKeyValue(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, kLastBrowseFolderValue,
                        folder);
}

// The placeholder row of the new entry just saved; the saved key has a row of its own now.
LPARAM SelectedPlaceholder(Root& root) {
  const int selected = root.LstFileList().SelectedIndex();
  if (selected < 0 || root.EntryOfRow(selected) != nullptr) return 0;
  return root.LstFileList().IdOf(selected);
}

void ShowSaved(Root& root, const SavePlan& plan, LPARAM placeholder) {
  ListView& list = root.LstFileList();
  if (placeholder != 0) list.RemoveRow(list.IndexOfId(placeholder));
  root.Reload(plan.scope, plan.keyName);
  root.Text1().SetLocked(true);
  root.LoadSelectedRow();
  SetFocus(list.Handle());
}

// A rename carries the old key's tree over. When another program removed the old key meanwhile,
// Yes makes the new key from the panel alone (the values it loaded, the user's edits), replacing
// an existing key of the new name whole; No writes nothing and the old row goes.
bool PlanCarryOver(Root& root, const std::wstring& oldKeyName, SavePlan& plan, Unedited& unedited) {
  plan.carried = Registry::ReadKeyTree(plan.root, KeyPathOf(oldKeyName), &plan.readError);
  if (plan.readError != ERROR_FILE_NOT_FOUND) return true;
  plan.readError = ERROR_SUCCESS;
  if (Ask(root, Texts::kRenameOldKeyGoneQuestion) == ConflictAnswer::Reload) {
    ForgetRemovedKey(root, plan.scope, oldKeyName);
    return false;
  }
  plan.carried = Registry::KeyTree{};
  unedited = Unedited::AsLoaded;
  return true;
}

// A key another program changed keeps what the user did not edit; one it removed gets the
// unedited values back as they were loaded.
bool PlanOverChange(Root& root, const SavePlan& plan, Unedited& unedited) {
  const KeyState state = StateSinceLoaded(plan, root.Panel());
  if (state == KeyState::AsLoaded) return true;
  if (Ask(root, Texts::kChangedMeanwhileQuestion) == ConflictAnswer::Reload) {
    ShowCurrentState(root, plan);
    return false;
  }
  if (state == KeyState::Removed) unedited = Unedited::AsLoaded;
  return true;
}

std::optional<SavePlan> MakePlan(Root& root, const SaveOptions& options) {
  const PanelSource& loaded = root.Panel();
  SavePlan plan;
  plan.typedName = loaded.keyName.empty() || !root.Text1().Locked();
  plan.keyName = plan.typedName ? ToUpper(root.Text1().Text()) : loaded.keyName;
  plan.scope = loaded.scope;
  plan.root = RootOf(plan.scope);
  // The machine's key may not be written: its rows offer no save (the OK button is disabled).
  if (plan.scope == Scope::Machine && !root.MachineWritable()) return std::nullopt;
  if (plan.typedName && RefusedName(root, plan.keyName)) return std::nullopt;
  if (!plan.typedName && RefusedForNul(root, plan.keyName)) return std::nullopt;
  const bool exists = Registry::KeyExists(plan.root, KeyPathOf(plan.keyName));
  // The user chose to replace an existing key with a new entry: both boxes are written.
  Unedited unedited = loaded.keyName.empty() && exists ? Unedited::AsShown : Unedited::Skip;
  if (!options.carryOverFrom.empty() &&
      !PlanCarryOver(root, options.carryOverFrom, plan, unedited))
    return std::nullopt;
  if (!plan.typedName && !PlanOverChange(root, plan, unedited)) return std::nullopt;
  PlanValues(root, unedited, plan);
  return plan;
}

}  // namespace

SaveResult SaveEntry(Root& root, const SaveOptions& options) {
  const std::optional<SavePlan> plan = MakePlan(root, options);
  if (!plan) return SaveResult::Refused;
  if (plan->readError != ERROR_SUCCESS) {
    ReportWriteFailure(root, plan->readError);
    return SaveResult::Failed;
  }
  if (plan->typedName && !MayWriteKey(root, *plan)) return SaveResult::Declined;
  const LPARAM placeholder = SelectedPlaceholder(root);
  if (const LONG error = WriteOrUndo(*plan); error != ERROR_SUCCESS) {
    ReportWriteFailure(root, error);
    return SaveResult::Failed;
  }
  RememberBrowseFolder(root);
  ShowSaved(root, *plan, placeholder);
  return SaveResult::Saved;
}
