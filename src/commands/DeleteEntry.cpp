// "Löschen": removes the selected registration from the registry and its row from the list, or
// drops the placeholder row of an entry that was never saved.
#include <windows.h>

#include "commands/Commands.h"
#include "commands/KeyNames.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "ui/Root.h"
#include "ui/Texts.h"

namespace {

const HKEY kRoot = HKEY_LOCAL_MACHINE;
constexpr int kKeynameColumn = 1;

// The row "Hinzufügen " added and no save has rewritten yet: a registration saved under the
// name "Neuer Eintrag" has its key name in the Keyname column and is deleted like any other.
bool IsPlaceholderRow(const ListView& list, int row) {
  return list.Text(row) == Texts::kNewEntry &&
         list.Text(row, kKeynameColumn) == Texts::kNewEntryKeyMark;
}

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
  ProcessPendingEvents();
  if (neighbour >= 0) list.StartLabelEditAndCancel();
  ProcessPendingEvents();
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

void RefuseProtected(Root& root) {
  root.Ask().Message(root.Handle(), Texts::kDeleteRefused, L" " + root.Caption(),
                     MB_OK | MB_ICONERROR);
}

// Only Yes deletes: a box that could not be shown counts as No.
bool UserConfirms(Root& root, const std::wstring& name) {
  return root.Ask().Message(root.Handle(), DeleteQuestion(name), Texts::kDeleteTitle,
                            MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool DeleteRegistration(Root& root, const std::wstring& name) {
  LONG error = ERROR_SUCCESS;
  if (Registry::DeleteKeyTree(kRoot, Registry::kAppPathsPrefix + name, &error)) return true;
  const auto code = static_cast<DWORD>(error);
  root.Ask().Message(root.Handle(), DeleteFailedMessage(name, SystemMessage(code), code),
                     Texts::kDeleteTitle, MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace

void DeleteEntry(Root& root) {
  ListView& list = root.LstFileList();
  const int selected = list.SelectedIndex();
  if (selected < 0) return;  // no entry named, and never the App Paths key itself
  if (IsPlaceholderRow(list, selected)) {
    DropPlaceholder(root, selected);
    return;
  }
  const std::wstring name = list.Text(selected);
  if (IsProtectedName(name)) {
    RefuseProtected(root);
    return;
  }
  // A name that cannot be one sub-key's name has no registration of its own to delete.
  if (CheckKeyName(name) != KeyNameProblem::None) return;
  if (!Registry::KeyExists(kRoot, Registry::kAppPathsPrefix + name)) return;
  const LPARAM id = list.IdOf(selected);
  if (!UserConfirms(root, name) || !DeleteRegistration(root, name)) return;
  root.Ask().Message(root.Handle(), DeletedMessage(name), Texts::kDeleteTitle,
                     MB_OK | MB_ICONINFORMATION);
  ClearPanel(root);
  if (const int row = list.IndexOfId(id); row >= 0) RemoveRowAndSelectNeighbour(list, row);
  root.LoadSelectedRow();
  ProcessPendingEvents();
}
