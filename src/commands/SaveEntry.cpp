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
#include "commands/RecordedChange.h"
#include "commands/SavePlan.h"
#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "texts/ExplanationTexts.h"

namespace {

constexpr wchar_t kNewKeyClass[] = L"1";

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

bool RefusedName(CommandHost& host, const std::wstring& keyName) {
  const KeyNameProblem problem = CheckTypedKeyName(keyName);
  if (problem == KeyNameProblem::None) return false;
  host.Tell(Texts::KeyNameProblemText(problem), MB_OK | MB_ICONWARNING);
  host.FocusFileName();
  return true;
}

// A typed name must not take over an existing registration unasked. Only Yes overwrites: a box
// that could not be shown counts as No.
bool MayWriteKey(CommandHost& host, const SavePlan& plan) {
  if (!Registry::KeyExists(plan.root, EntryKeyPath(plan.keyName))) return true;
  const std::wstring question =
      std::wstring(Texts::kOverwriteQuestion1) + L"\n" + Texts::kOverwriteQuestion2;
  return host.Tell(question, MB_YESNO | MB_ICONWARNING) ==
         IDYES;
}

// What becomes of a box the user did not edit.
enum class Unedited {
  Skip,      // the key keeps what it holds now: its value is not written
  AsLoaded,  // the key is gone: the value goes back as it was loaded, type and bytes
  AsShown,   // a new entry replaces an existing key: the box's text is written
};

// The panel's two boxes against what was loaded into them: an edited box is written as typed.
void PlanValues(CommandHost& host, Unedited unedited, SavePlan& plan) {
  const PanelSource& loaded = host.PanelLoaded();
  const auto plan1 = [&](const wchar_t* name, const std::wstring& text, const std::wstring& before,
                         const std::optional<Registry::RawValue>& stored) {
    if (ValueWasEdited(text, before, unedited == Unedited::AsShown))
      plan.values.push_back(Registry::TextValue(name, text, WrittenType(text, stored)));
    else if (unedited == Unedited::AsLoaded && stored)
      plan.values.push_back(*stored);
  };
  const PanelTexts boxes = host.PanelBoxes();
  plan1(kInstallationValue, boxes.installation, loaded.installation, loaded.storedInstallation);
  plan1(kDirectoryValue, boxes.directory, loaded.directory, loaded.storedDirectory);
}

enum class KeyState { AsLoaded, Changed, Removed };

// Whether the key still holds what the panel loaded from it, or another program changed or
// removed it meanwhile.
KeyState StateSinceLoaded(const SavePlan& plan, const PanelSource& loaded) {
  const auto values = Registry::ReadValues(plan.root, EntryKeyPath(plan.keyName));
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
ConflictAnswer Ask(CommandHost& host, const wchar_t* question) {
  return host.Tell(question, MB_YESNO | MB_ICONWARNING) ==
                 IDYES
             ? ConflictAnswer::Overwrite
             : ConflictAnswer::Reload;
}

// The row of a key another program removed goes; the panel shows the row selected then.
void ForgetRemovedKey(CommandHost& host, Scope scope, const std::wstring& keyName) {
  if (const AppPathEntry* gone = host.Entries().FindByKey(scope, keyName)) host.Forget(gone->Id);
  host.EndTyping();
  host.LoadSelectedRow();
}

// The row and the panel show what the key holds now (or the row goes with a removed key).
void ShowCurrentState(CommandHost& host, const SavePlan& plan) {
  if (host.Reload(plan.scope, plan.keyName) == 0) {
    ForgetRemovedKey(host, plan.scope, plan.keyName);
    return;
  }
  host.EndTyping();
  host.LoadSelectedRow();
}

// Writes the plan into the key; the first failure stops and is returned.
LONG WritePlan(const SavePlan& plan, bool keyExisted) {
  const std::wstring keyPath = EntryKeyPath(plan.keyName);
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
  const std::wstring keyPath = EntryKeyPath(plan.keyName);
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

void ReportWriteFailure(CommandHost& host, LONG error) {
  const auto code = static_cast<DWORD>(error);
  host.Tell(SaveFailedMessage(SystemMessage(code), code), MB_OK | MB_ICONERROR);
}

// Without a browse since the start the dialog holds no file, and the folder remembered by an
// earlier run stays. The folder only saves the user a few clicks at the next browse, so a
// refused write is not worth a message after a save that succeeded.
void RememberBrowseFolder(CommandHost& host) {
  const std::wstring folder = DirectoryPart(host.Dialog1FileName());
  if (folder.empty()) return;
  Registry::SetRawValue(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey,
                        Registry::TextValue(kLastBrowseFolderValue, folder));
}

// The draft's row goes: the saved key has a row of its own now.
void ShowSaved(CommandHost& host, const SavePlan& plan, EntryId draft) {
  if (draft != 0) host.Forget(draft);
  host.Reload(plan.scope, plan.keyName);
  host.EndTyping();
  host.LoadSelectedRow();
  host.FocusList();
}

// A rename carries the old key's tree over. When another program removed the old key meanwhile,
// Yes makes the new key from the panel alone (the values it loaded, the user's edits), replacing
// an existing key of the new name whole; No writes nothing and the old row goes.
bool PlanCarryOver(CommandHost& host, const std::wstring& oldKeyName, SavePlan& plan, Unedited& unedited) {
  plan.carried = Registry::ReadKeyTree(plan.root, EntryKeyPath(oldKeyName), &plan.readError);
  if (plan.readError != ERROR_FILE_NOT_FOUND) return true;
  plan.readError = ERROR_SUCCESS;
  if (Ask(host, Texts::kRenameOldKeyGoneQuestion) == ConflictAnswer::Reload) {
    ForgetRemovedKey(host, plan.scope, oldKeyName);
    return false;
  }
  plan.carried = Registry::KeyTree{};
  unedited = Unedited::AsLoaded;
  return true;
}

// A key another program changed keeps what the user did not edit; one it removed gets the
// unedited values back as they were loaded.
bool PlanOverChange(CommandHost& host, const SavePlan& plan, Unedited& unedited) {
  const KeyState state = StateSinceLoaded(plan, host.PanelLoaded());
  if (state == KeyState::AsLoaded) return true;
  if (Ask(host, Texts::kChangedMeanwhileQuestion) == ConflictAnswer::Reload) {
    ShowCurrentState(host, plan);
    return false;
  }
  if (state == KeyState::Removed) unedited = Unedited::AsLoaded;
  return true;
}

std::optional<SavePlan> MakePlan(CommandHost& host, const SaveOptions& options) {
  const PanelSource& loaded = host.PanelLoaded();
  SavePlan plan;
  plan.typedName = loaded.keyName.empty() || host.Mode() != PanelMode::View;
  plan.keyName = plan.typedName ? ToUpper(host.PanelBoxes().fileName) : loaded.keyName;
  plan.scope = loaded.scope;
  plan.root = RootOf(plan.scope);
  // The machine's key may not be written: its rows offer no save (the OK button is disabled).
  if (!host.MayChange(plan.scope)) return std::nullopt;
  if (plan.typedName && RefusedName(host, plan.keyName)) return std::nullopt;
  if (!plan.typedName && RefusedForNul(host, plan.keyName)) return std::nullopt;
  const bool exists = Registry::KeyExists(plan.root, EntryKeyPath(plan.keyName));
  // The user chose to replace an existing key with a new entry: both boxes are written.
  Unedited unedited = loaded.keyName.empty() && exists ? Unedited::AsShown : Unedited::Skip;
  if (!options.carryOverFrom.empty() &&
      !PlanCarryOver(host, options.carryOverFrom, plan, unedited))
    return std::nullopt;
  if (!plan.typedName && !PlanOverChange(host, plan, unedited)) return std::nullopt;
  PlanValues(host, unedited, plan);
  return plan;
}

}  // namespace

SaveResult SaveEntry(CommandHost& host, const SaveOptions& options) {
  const std::optional<SavePlan> plan = MakePlan(host, options);
  if (!plan) return SaveResult::Refused;
  if (plan->readError != ERROR_SUCCESS) {
    ReportWriteFailure(host, plan->readError);
    return SaveResult::Failed;
  }
  if (plan->typedName && !MayWriteKey(host, *plan)) return SaveResult::Declined;
  const EntryId draft = host.SelectedDraft();
  std::optional<RecordedChange> own;
  RecordedChange& change =
      options.change != nullptr
          ? *options.change
          : own.emplace(host, host.PanelLoaded().keyName.empty() ? JournalAction::NewEntry
                                                                 : JournalAction::Save);
  if (!change.Before(plan->scope, plan->keyName)) return SaveResult::Failed;
  const LONG error = WriteOrUndo(*plan);
  if (own) own->Finish();
  if (error != ERROR_SUCCESS) {
    ReportWriteFailure(host, error);
    return SaveResult::Failed;
  }
  RememberBrowseFolder(host);
  ShowSaved(host, *plan, draft);
  return SaveResult::Saved;
}
