// "Hinzufügen ": a placeholder row for a registration still to be typed; nothing is written
// until the panel is saved.
#include <windows.h>

#include "catalogue/AppPathEntry.h"
#include "commands/Commands.h"
#include "ui/Root.h"
#include "ui/Texts.h"

namespace {

// In front of the last row, or the first row of an empty list; a sorted list puts it in its
// sorted place. Returns the row's id, 0 when the list refused it.
LPARAM AddPlaceholderRow(ListView& list) {
  const int count = list.Count();
  const int position = count == 0 ? 0 : count - 1;
  const int row =
      list.InsertRow(position, Texts::kNewEntry, ImageKeyOf(EntryStatus::FileNotFound));
  if (row < 0) return 0;
  list.SetText(row, Root::kColumnKeyname, Texts::kNewEntryKeyMark);
  list.SetText(row, Root::kColumnInstallation, L"");
  list.SetText(row, Root::kColumnDirectory, L"");
  return list.IdOf(row);
}

void LoadPanelFromRow(Root& root, int row) {
  ListView& list = root.LstFileList();
  root.Text1().SetText(list.Text(row));
  root.Text2().SetText(list.Text(row, Root::kColumnInstallation));
  root.Text3().SetText(list.Text(row, Root::kColumnDirectory));
  root.PanelShowsNewEntry();
}

}  // namespace

// The panel's typed texts are saved or dropped first, as the user answers; Abbrechen stays.
void NewEntry(Root& root) {
  if (!root.LeavePanel()) return;
  ListView& list = root.LstFileList();
  const LPARAM id = AddPlaceholderRow(list);
  if (id == 0) return;
  const int row = list.IndexOfId(id);
  if (!list.Select(row)) return;
  list.EnsureVisible(row);
  root.Text1().SetLocked(false);
  LoadPanelFromRow(root, row);
  root.Text1().SelectAll();
  root.Text1().Focus();
}
