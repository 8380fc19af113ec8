// The OK button: the panel's entry goes into the registry, and the row then shows what the
// registry holds. Only what the user changed is written; whatever the save wrote is undone when
// a later write fails, so a failure really leaves everything as it was.
#include <windows.h>

#include <optional>

#include "catalogue/EntryValues.h"
#include "catalogue/Scan.h"
#include "commands/Commands.h"
#include "commands/KeyNames.h"
#include "commands/SavePlan.h"
#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "texts/Texts.h"

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
  host.Tell(KeyNameProblemText(problem), MB_OK | MB_ICONWARNING);
  host.FocusFileName();
  return true;
}

// A typed name must not take over an existing registration unasked. Only Yes overwrites: a box
// that could not be shown counts as No.
bool MayWriteKey(CommandHost& host, const SavePlan& plan) {
  if (!Registry::KeyExists(plan.root, EntryKeyPath(plan.keyName))) return true;
  const std::wstring question =
      std::wstring(Texts::kOverwriteQuestion1) + L"\n" + Texts::kOverwriteQuestion2;
  return host.Tell(question, MB_YESNO | MB_ICONWARNING) == IDYES;
}

// The panel's two boxes against what was loaded into them. A new entry writes what it has; one
// that overwrites an existing key writes both boxes, since the user chose to replace it, and so
// does a rename whose old key has gone meanwhile (nothing is carried over).
void PlanValues(CommandHost& host, bool writeAll, SavePlan& plan) {
  const PanelSource& loaded = host.PanelLoaded();
  const PanelTexts boxes = host.PanelBoxes();
  const auto plan1 = [&](const wchar_t* name, const std::wstring& text, const std::wstring& before,
                         const std::optional<Registry::RawValue>& stored) {
    if (!ValueWasEdited(text, before, writeAll)) return;
    plan.values.push_back(Registry::TextValue(name, text, WrittenType(text, stored)));
  };
  plan1(kInstallationValue, boxes.installation, loaded.installation, loaded.storedInstallation);
  plan1(kDirectoryValue, boxes.directory, loaded.directory, loaded.storedDirectory);
}

// The key no longer holds what the panel loaded from it: another program changed or removed it.
bool ChangedMeanwhile(const SavePlan& plan, const PanelSource& loaded) {
  const auto values = Registry::ReadValues(plan.root, EntryKeyPath(plan.keyName));
  if (!values) return true;
  const auto same = [&](const wchar_t* name, const std::optional<Registry::RawValue>& before) {
    const Registry::RawValue* now = Registry::FindValue(*values, name);
    if (now == nullptr || !before) return now == nullptr && !before;
    return now->type == before->type && now->data == before->data;
  };
  return !same(kInstallationValue, loaded.storedInstallation) ||
         !same(kDirectoryValue, loaded.storedDirectory);
}

enum class ConflictAnswer { Overwrite, Reload };

// Only Yes overwrites: a box that could not be shown reloads.
ConflictAnswer AskAboutChange(CommandHost& host) {
  return host.Tell(Texts::kChangedMeanwhileQuestion, MB_YESNO | MB_ICONWARNING) == IDYES
             ? ConflictAnswer::Overwrite
             : ConflictAnswer::Reload;
}

// The row and the panel show what the key holds now (or the row goes with a removed key).
void ShowCurrentState(CommandHost& host, const SavePlan& plan) {
  if (host.Reload(plan.scope, plan.keyName) == 0) {
    if (const AppPathEntry* gone = host.Entries().FindByKey(plan.scope, plan.keyName))
      host.Forget(gone->Id);
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
  const bool exists = Registry::KeyExists(plan.root, EntryKeyPath(plan.keyName));
  const bool renaming = !options.carryOverFrom.empty();
  if (renaming) {
    plan.carried =
        Registry::ReadKeyTree(plan.root, EntryKeyPath(options.carryOverFrom), &plan.readError);
    if (plan.readError == ERROR_FILE_NOT_FOUND) plan.readError = ERROR_SUCCESS;
  }
  bool writeAll = (loaded.keyName.empty() && exists) || (renaming && !plan.carried);
  if (!plan.typedName && ChangedMeanwhile(plan, loaded)) {
    if (AskAboutChange(host) == ConflictAnswer::Reload) {
      ShowCurrentState(host, plan);
      return std::nullopt;
    }
    writeAll = true;  // the user's texts, both of them, replace what the other program wrote
  }
  PlanValues(host, writeAll, plan);
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
  if (const LONG error = WriteOrUndo(*plan); error != ERROR_SUCCESS) {
    ReportWriteFailure(host, error);
    return SaveResult::Failed;
  }
  RememberBrowseFolder(host);
  ShowSaved(host, *plan, draft);
  return SaveResult::Saved;
}
