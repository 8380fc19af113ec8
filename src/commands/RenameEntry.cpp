// mnuUmbenennen: moves a registration to another key name. The entry is saved under the new name
// (with everything its old key holds) before the old key goes, so a rename never loses it.
#include <windows.h>

#include <optional>
#include <string>

#include "catalogue/AppPathEntry.h"
#include "catalogue/Scan.h"
#include "commands/Commands.h"
#include "commands/KeyNames.h"
#include "commands/NulNameGuard.h"
#include "commands/RecordedChange.h"
#include "commands/RenamePlan.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "texts/Texts.h"

namespace {

// The row being renamed, recorded before anything changes: the entry it shows (none for the
// draft of a new entry, which has no key behind it).
struct RenamedRow {
  EntryId id = 0;
  std::optional<AppPathEntry> entry;
  std::wstring oldName;  // as the row shows it
};

std::optional<RenamedRow> RecordSelectedRow(CommandHost& host) {
  RenamedRow row;
  if (const AppPathEntry* entry = host.SelectedEntry()) {
    row.entry = *entry;
  } else if (const AppPathEntry* draft = host.Entries().Draft(host.SelectedDraft())) {
    row.id = draft->Id;
    row.oldName = draft->FileName;
    return row;
  } else {
    return std::nullopt;
  }
  row.id = row.entry->Id;
  row.oldName = row.entry->FileName;
  return row;
}

// The dialog's answer stands in the file name box, which stays editable until the command ends:
// the save asks before it overwrites another registration. Cancelling, closing or an empty
// answer keep the old name.
std::wstring AskForNewName(CommandHost& host, const RenamedRow& row) {
  const std::wstring proposed = host.StartRename();
  const std::optional<std::wstring> answer =
      host.Ask().AskNewName(host.Owner(), proposed, host.PanelBoxes().installation);
  const std::wstring newName = answer && !answer->empty() ? *answer : row.oldName;
  host.SetFileName(newName);
  return newName;
}

void KeepOldName(CommandHost& host, const RenamedRow& row) {
  host.SetFileName(row.oldName);
  host.Select(row.id, false);
  host.EndTyping();
}

// The old key is addressed by its name as stored; the new one holds everything by now.
void RemoveOldKey(CommandHost& host, const AppPathEntry& old) {
  LONG error = ERROR_SUCCESS;
  if (Registry::DeleteKeyTree(RootOf(old.Scope), EntryKeyPath(old.KeyName), &error) ||
      error == ERROR_FILE_NOT_FOUND) {
    host.Forget(old.Id);
    return;
  }
  host.Tell(std::wstring(Texts::kRenameOldKeyKept) + L"\n" + old.FileName + L"\n" +
                SystemMessage(static_cast<DWORD>(error)),
            MB_OK | MB_ICONERROR);
}

}  // namespace

void RenameEntry(CommandHost& host) {
  const std::optional<RenamedRow> row = RecordSelectedRow(host);
  if (!row) return;
  if (row->entry && !host.MayChange(row->entry->Scope)) return;
  if (row->entry && RefusedForNul(host, row->entry->KeyName)) return;
  if (row->entry && IsProtectedName(row->entry->KeyName)) {
    host.Tell(Texts::kRenameRefused, MB_OK | MB_ICONERROR);
    return;
  }
  const std::wstring newName = AskForNewName(host, *row);
  // The same name, or one that addresses the same key (the row shows any spelling of it alike).
  if (newName == row->oldName || (row->entry && NamesTheSameKey(row->entry->KeyName, newName))) {
    KeepOldName(host, *row);
    return;
  }
  // The old key first: an undo names the change by it and brings it back before the new one goes.
  RecordedChange change(host, row->entry ? JournalAction::Rename : JournalAction::NewEntry);
  if (row->entry && !change.Before(row->entry->Scope, row->entry->KeyName)) {
    KeepOldName(host, *row);
    return;
  }
  SaveOptions options;
  options.change = &change;
  if (row->entry) options.carryOverFrom = row->entry->KeyName;
  const SaveResult saved = SaveEntry(host, options);
  if (saved != SaveResult::Saved) {
    change.Finish();
    // The save has shown what is left when the old key turned out to be gone.
    if (!row->entry || host.Entries().Find(row->entry->Id) != nullptr) KeepOldName(host, *row);
    return;
  }
  const EntryId savedId = host.SelectedEntry() ? host.SelectedEntry()->Id : 0;
  if (row->entry) RemoveOldKey(host, *row->entry);
  change.Finish();
  host.Select(savedId, true);
  host.LoadSelectedRow();
}
