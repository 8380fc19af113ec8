// "Löschen": removes the selected registration from the registry and its row from the list, or
// drops the placeholder row of an entry that was never saved.
#include <windows.h>

#include "commands/Commands.h"
#include "commands/KeyNames.h"
#include "catalogue/AppPathEntry.h"
#include "catalogue/Scan.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "ui/Root.h"
#include "texts/Texts.h"

namespace {


// The row before the removed one takes the selection; when the first row goes, the row that
// moves into its place; none when no row is left.
int NeighbourOf(int removed, int count) {
  if (count <= 1) return -1;
  return removed == 0 ? 0 : removed - 1;
}

void RemoveRowAndSelectNeighbour(ListView& list, int row) {
  const int neighbour = NeighbourOf(row, list.Count());
  if (!list.RemoveRow(row)) return;
  list.Select(neighbour);
}

void ClearPanel(Root& root) {
  root.Text1().SetLocked(true);
  root.Text1().SetText(L"");
  root.Text2().SetText(L"");
  root.Text3().SetText(L"");
}

// An entry that was never saved has no key: only its row goes, and the panel shows the row
// that is selected now (or nothing, when none is left).
void DropPlaceholder(Root& root, int row) {
  ClearPanel(root);
  RemoveRowAndSelectNeighbour(root.LstFileList(), row);
  root.LoadSelectedRow();
}

void ForgetAndSelectNeighbour(Root& root, EntryId id) {
  ListView& list = root.LstFileList();
  const int neighbour = NeighbourOf(root.RowOf(id), list.Count());
  root.Forget(id);
  list.Select(neighbour);
  root.LoadSelectedRow();
}

void RefuseProtected(Root& root) {
  root.Ask().Message(root.Handle(), Texts::kDeleteRefused, root.Title(),
                     MB_OK | MB_ICONERROR);
}

// Only Yes deletes: a box that could not be shown counts as No.
bool UserConfirms(Root& root, const std::wstring& name) {
  return root.Ask().Message(root.Handle(), DeleteQuestion(name), root.Title(),
                            MB_YESNO | MB_ICONWARNING) == IDYES;
}

// The key is addressed by its name as stored, whatever the row shows.
bool DeleteRegistration(Root& root, const AppPathEntry& entry) {
  const std::wstring& name = entry.FileName;
  LONG error = ERROR_SUCCESS;
  if (Registry::DeleteKeyTree(RootOf(entry.Scope), EntryKeyPath(entry.KeyName), &error))
    return true;
  const auto code = static_cast<DWORD>(error);
  root.Ask().Message(root.Handle(), DeleteFailedMessage(name, SystemMessage(code), code),
                     root.Title(), MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace

void DeleteEntry(Root& root) {
  ListView& list = root.LstFileList();
  const int selected = list.SelectedIndex();
  if (selected < 0) return;  // no entry named, and never the App Paths key itself
  const AppPathEntry* found = root.EntryOfRow(selected);
  if (found == nullptr) {
    DropPlaceholder(root, selected);
    return;
  }
  const AppPathEntry entry = *found;
  if (!root.MayChange(entry)) return;
  if (IsProtectedName(entry.KeyName)) {
    RefuseProtected(root);
    return;
  }
  // Never App Paths itself or a key further down.
  if (entry.KeyName.empty() || entry.KeyName.find(L'\\') != std::wstring::npos) return;
  if (!UserConfirms(root, entry.FileName)) return;
  if (!DeleteRegistration(root, entry)) {
    // Removed by another program meanwhile: the row must not outlive its key.
    if (!Registry::KeyExists(RootOf(entry.Scope), EntryKeyPath(entry.KeyName)))
      ForgetAndSelectNeighbour(root, entry.Id);
    return;
  }
  root.Ask().Message(root.Handle(), DeletedMessage(entry.FileName), root.Title(),
                     MB_OK | MB_ICONINFORMATION);
  ClearPanel(root);
  ForgetAndSelectNeighbour(root, entry.Id);
}
