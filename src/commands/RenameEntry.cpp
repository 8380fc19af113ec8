// mnuUmbenennen: moves a registration to another key name. The entry is saved under the new name
// (with everything its old key holds) before the old key goes, so a rename never loses it.
#include <windows.h>

#include <optional>
#include <string>

#include "catalogue/AppPathEntry.h"
#include "catalogue/EntryList.h"
#include "commands/Commands.h"
#include "commands/KeyNames.h"
#include "commands/RenamePlan.h"
#include "platform/Dateiexistenz.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "ui/Like.h"
#include "ui/Root.h"
#include "ui/Texts.h"
#include "ui/modListViewFind.h"

namespace {

constexpr int kKeynameColumn = 1;

// The row being renamed, recorded before anything changes. The id finds the row again after
// the save has re-sorted the list.
struct RenamedRow {
  int index = -1;
  LPARAM id = 0;
  std::wstring oldName;
  bool unsaved = false;  // the placeholder of a new entry: no key stands behind it
};

RenamedRow RecordSelectedRow(ListView& list) {
  RenamedRow row;
  row.index = list.SelectedIndex();
  if (row.index < 0) return row;
  row.id = list.IdOf(row.index);
  row.oldName = list.Text(row.index);
  row.unsaved = row.oldName == Texts::kNewEntry &&
                list.Text(row.index, kKeynameColumn) == Texts::kNewEntryKeyMark;
  return row;
}

// The dialog hands its answer back through Text1, which stays editable until the command ends:
// the save asks before it overwrites another registration only while Text1 is editable.
// Cancelling, closing or an empty answer keep the old name.
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

int CurrentIndexOf(ListView& list, const RenamedRow& row) {
  const int index = list.IndexOfId(row.id);
  return index >= 0 ? index : row.index;
}

void KeepOldName(Root& root, const RenamedRow& row) {
  root.Text1().SetText(row.oldName);
  root.LstFileList().Select(CurrentIndexOf(root.LstFileList(), row));
  root.Text1().SetLocked(true);
}

// Both names address the same key, so there is nothing to move: the row only shows the new
// spelling.
void ShowNewLetterCase(Root& root, const RenamedRow& row, const std::wstring& newName) {
  ListView& list = root.LstFileList();
  const int index = CurrentIndexOf(list, row);
  list.SetText(index, 0, newName);
  list.Select(index);
  root.Text1().SetLocked(true);
}

void ReportOldKeyKept(Root& root, const std::wstring& oldName, LONG error) {
  root.Ask().Message(root.Handle(),
                     std::wstring(Texts::kRenameOldKeyKept) + L"\n" + oldName + L"\n" +
                         SystemMessage(static_cast<DWORD>(error)),
                     L" " + root.Caption(), MB_OK | MB_ICONERROR);
}

// Only a name that addresses one registration of its own is removed: an empty one would be
// App Paths itself, one with a backslash a key further down.
void RemoveOldKey(Root& root, const RenamedRow& row) {
  if (row.unsaved || CheckKeyName(row.oldName) != KeyNameProblem::None) return;
  LONG error = ERROR_SUCCESS;
  if (Registry::DeleteKeyTree(HKEY_LOCAL_MACHINE, Registry::kAppPathsPrefix + row.oldName, &error))
    return;
  if (error != ERROR_FILE_NOT_FOUND) ReportOldKeyKept(root, row.oldName, error);
}

// The same test as the list's, so arguments after a working program do not make it look
// missing.
void ShowStatusOfSelectedRow(Root& root) {
  ListView& list = root.LstFileList();
  const int selected = list.SelectedIndex();
  if (selected < 0) return;
  const ExistenceTest fileExists = [](const std::wstring& path) { return FileExists(path); };
  list.SetImageKey(selected, ImageKeyOf(InstallationStatus(root.Text2().Text(), fileExists)));
}

// The row is searched by its literal name: a # or a bracket in it must not find another row.
void SelectRenamedRow(ListView& list, const std::wstring& newName) {
  list.Resort();
  ListViewFind(list, EscapeLikePattern(newName), kFindRowsAndSubItems, true, kCompareIgnoringCase,
               true);
}

void ShowRenamedRow(Root& root, const RenamedRow& row, const std::wstring& newName) {
  ListView& list = root.LstFileList();
  list.SetText(CurrentIndexOf(list, row), 0, newName);
  root.Text1().SetText(newName);
  ProcessPendingEvents();
  SelectRenamedRow(list, newName);
  ProcessPendingEvents();
  ShowStatusOfSelectedRow(root);
  root.Text1().SetLocked(true);
  ProcessPendingEvents();
  list.StartLabelEditAndCancel();
  ProcessPendingEvents();
}

}  // namespace

void RenameEntry(Root& root) {
  const RenamedRow row = RecordSelectedRow(root.LstFileList());
  if (row.index < 0) return;
  const std::wstring newName = AskForNewName(root, row);
  if (newName == row.oldName) {
    KeepOldName(root, row);
    return;
  }
  if (!row.unsaved && NamesTheSameKey(row.oldName, newName)) {
    ShowNewLetterCase(root, row, newName);
    return;
  }
  ProcessPendingEvents();
  // The save takes its name from the panel: it must find there the name the dialog gave, even
  // if something ran while events were processed.
  root.Text1().SetText(newName);
  root.Text1().SetLocked(false);
  SaveOptions options;
  if (!row.unsaved) options.carryOverFrom = row.oldName;
  if (SaveEntry(root, options) != SaveResult::Saved) {
    KeepOldName(root, row);
    return;
  }
  root.Text1().SetText(row.oldName);
  ProcessPendingEvents();
  RemoveOldKey(root, row);
  ShowRenamedRow(root, row, newName);
}
