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
#include "commands/RenamePlan.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "ui/Root.h"
#include "ui/Texts.h"

namespace {

// The row being renamed, recorded before anything changes: the entry it shows (none for the
// placeholder of a new entry, which has no key behind it).
struct RenamedRow {
  LPARAM rowId = 0;
  std::optional<AppPathEntry> entry;
  std::wstring oldName;  // as the row shows it
};

std::optional<RenamedRow> RecordSelectedRow(Root& root) {
  ListView& list = root.LstFileList();
  const int selected = list.SelectedIndex();
  if (selected < 0) return std::nullopt;
  RenamedRow row;
  row.rowId = list.IdOf(selected);
  row.oldName = list.Text(selected);
  if (const AppPathEntry* entry = root.EntryOfRow(selected)) row.entry = *entry;
  return row;
}

// The dialog hands its answer back through Text1, which stays editable until the command ends:
// the save asks before it overwrites another registration. Cancelling, closing or an empty
// answer keep the old name.
std::wstring AskForNewName(Root& root, const RenamedRow& row) {
  root.Text1().SetLocked(false);
  const std::wstring proposed = root.Text1().Text();
  root.Text1().SetText(L"");
  const std::optional<std::wstring> answer =
      root.Ask().AskNewName(root.Handle(), proposed, root.Text2().Text());
  const std::wstring newName = answer && !answer->empty() ? *answer : row.oldName;
  root.Text1().SetText(newName);
  return newName;
}

void KeepOldName(Root& root, const RenamedRow& row) {
  root.Text1().SetText(row.oldName);
  root.LstFileList().Select(root.LstFileList().IndexOfId(row.rowId));
  root.Text1().SetLocked(true);
}

void ReportOldKeyKept(Root& root, const std::wstring& oldName, LONG error) {
  root.Ask().Message(root.Handle(),
                     std::wstring(Texts::kRenameOldKeyKept) + L"\n" + oldName + L"\n" +
                         SystemMessage(static_cast<DWORD>(error)),
                     root.Title(), MB_OK | MB_ICONERROR);
}

void RefuseProtected(Root& root) {
  root.Ask().Message(root.Handle(), Texts::kRenameRefused, root.Title(),
                     MB_OK | MB_ICONERROR);
}

// The old key is addressed by its name as stored; the new one holds everything by now.
void RemoveOldKey(Root& root, const AppPathEntry& old) {
  LONG error = ERROR_SUCCESS;
  if (Registry::DeleteKeyTree(RootOf(old.Scope), EntryKeyPath(old.KeyName), &error) ||
      error == ERROR_FILE_NOT_FOUND) {
    root.Forget(old.Id);
    return;
  }
  ReportOldKeyKept(root, old.FileName, error);
}

}  // namespace

void RenameEntry(Root& root) {
  const std::optional<RenamedRow> row = RecordSelectedRow(root);
  if (!row) return;
  if (row->entry && !root.MayChange(*row->entry)) return;
  if (row->entry && RefusedForNul(root, row->entry->KeyName)) return;
  if (row->entry && IsProtectedName(row->entry->KeyName)) {
    RefuseProtected(root);
    return;
  }
  const std::wstring newName = AskForNewName(root, *row);
  if (newName == row->oldName) {
    KeepOldName(root, *row);
    return;
  }
  // Both names address the same key, and the row shows any spelling of it alike.
  if (row->entry && NamesTheSameKey(row->entry->KeyName, newName)) {
    KeepOldName(root, *row);
    return;
  }
  SaveOptions options;
  if (row->entry) options.carryOverFrom = row->entry->KeyName;
  if (SaveEntry(root, options) != SaveResult::Saved) {
    // The save has shown what is left when the old key turned out to be gone.
    if (!row->entry || root.Entries().Find(row->entry->Id) != nullptr) KeepOldName(root, *row);
    return;
  }
  const EntryId saved = root.SelectedEntry() ? root.SelectedEntry()->Id : 0;
  if (row->entry) RemoveOldKey(root, *row->entry);
  const int index = root.RowOf(saved);
  root.LstFileList().Select(index);
  root.LstFileList().EnsureVisible(index);
  root.LoadSelectedRow();
}
