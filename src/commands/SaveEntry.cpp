// The OK button: the panel's entry goes into the registry first, and only what the registry
// took is then shown in the row and added to the cache.
#include <windows.h>

#include "catalogue/AppPathEntry.h"
#include "catalogue/CacheLine.h"
#include "catalogue/EntryList.h"
#include "commands/Commands.h"
#include "commands/KeyNames.h"
#include "platform/Dateiexistenz.h"
#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "ui/Like.h"
#include "ui/Root.h"
#include "ui/Texts.h"
#include "ui/modListViewFind.h"

namespace {

const HKEY kRoot = HKEY_LOCAL_MACHINE;
constexpr wchar_t kNewKeyClass[] = L"1";
constexpr wchar_t kInstallationValue[] = L"";
constexpr wchar_t kDirectoryValue[] = L"Path";
constexpr wchar_t kLastBrowseFolderValue[] = L"Path";  // a value of the App Paths key itself

constexpr int kKeynameColumn = 1;
constexpr int kInstallationColumn = 2;
constexpr int kDirectoryColumn = 3;

struct PanelEntry {
  std::wstring fileName;  // as typed: the row's text
  std::wstring keyName;   // upper-cased: the sub-key's name
  std::wstring installation;
  std::wstring directory;
};

PanelEntry ReadPanel(Root& root) {
  PanelEntry entry;
  entry.fileName = root.Text1().Text();
  entry.keyName = ToUpper(entry.fileName);
  entry.installation = root.Text2().Text();
  entry.directory = root.Text3().Text();
  return entry;
}

std::wstring KeyPathOf(const std::wstring& keyName) { return Registry::kAppPathsPrefix + keyName; }

std::wstring TitleOf(const Root& root) { return L" " + root.Caption(); }

bool RefusedName(Root& root, const PanelEntry& entry) {
  const KeyNameProblem problem = CheckKeyName(entry.keyName);
  if (problem == KeyNameProblem::None) return false;
  root.Ask().Message(root.Handle(), KeyNameProblemText(problem), TitleOf(root),
                     MB_OK | MB_ICONWARNING);
  root.Text1().Focus();
  return true;
}

// A new entry (or a rename) must not take over an existing registration unasked. Only Yes
// overwrites: a box that could not be shown counts as No.
bool MayWriteKey(Root& root, const std::wstring& keyPath) {
  if (root.Text1().Locked() || !Registry::KeyExists(kRoot, keyPath)) return true;
  const std::wstring question =
      std::wstring(Texts::kOverwriteQuestion1) + L"\n" + Texts::kOverwriteQuestion2;
  return root.Ask().Message(root.Handle(), question, TitleOf(root), MB_YESNO | MB_ICONWARNING) ==
         IDYES;
}

// Renaming hands over the old key's values and sub-keys; a key cannot be copied into itself,
// and an old name that no longer has a key has nothing to hand over.
bool CarryOver(const std::wstring& from, const PanelEntry& entry, LONG& error) {
  if (from.empty() || CheckKeyName(from) != KeyNameProblem::None) return true;
  if (ToUpper(from) == entry.keyName) return true;
  const std::wstring fromPath = KeyPathOf(from);
  if (!Registry::KeyExists(kRoot, fromPath)) return true;
  return Registry::CopyKeyTree(kRoot, fromPath, KeyPathOf(entry.keyName), &error);
}

bool WriteValues(const std::wstring& keyPath, const PanelEntry& entry, LONG& error) {
  return Registry::SetKeyValue(kRoot, keyPath, kInstallationValue, entry.installation, &error) &&
         Registry::SetKeyValue(kRoot, keyPath, kDirectoryValue, entry.directory, &error);
}

// ERROR_SUCCESS when the key holds the entry; otherwise the code of the write that failed, and
// a key that this save created is gone again, so no half-written registration is left behind.
LONG WriteEntry(const PanelEntry& entry, const SaveOptions& options) {
  const std::wstring keyPath = KeyPathOf(entry.keyName);
  LONG error = ERROR_SUCCESS;
  bool created = false;
  if (!Registry::KeyExists(kRoot, keyPath)) {
    created = Registry::CreateKey(kRoot, keyPath, kNewKeyClass, &error);
    if (error != ERROR_SUCCESS) return error;
  }
  if (CarryOver(options.carryOverFrom, entry, error) && WriteValues(keyPath, entry, error))
    return ERROR_SUCCESS;
  if (created) Registry::DeleteKeyTree(kRoot, keyPath);
  return error;
}

void ReportWriteFailure(Root& root, LONG error) {
  const auto code = static_cast<DWORD>(error);
  root.Ask().Message(root.Handle(), SaveFailedMessage(SystemMessage(code), code), TitleOf(root),
                     MB_OK | MB_ICONERROR);
}

// Without a browse since the start the dialog holds no file, and the folder remembered by an
// earlier run stays. The folder only saves the user a few clicks at the next browse, so a
// refused write is not worth a message after a save that succeeded.
void RememberBrowseFolder(Root& root) {
  const std::wstring folder = DirectoryPart(root.Dialog1FileName());
  if (folder.empty()) return;
  Registry::SetKeyValue(kRoot, Registry::kAppPathsKey, kLastBrowseFolderValue, folder);
}

// The icon tells what the saved installation really is, as the start-up would show it.
const wchar_t* StatusImageKey(const std::wstring& installation) {
  const ExistenceTest fileExists = [](const std::wstring& path) { return FileExists(path); };
  return ImageKeyOf(InstallationStatus(installation, fileExists));
}

void ShowInSelectedRow(ListView& list, const PanelEntry& entry) {
  const int row = list.SelectedIndex();
  if (row < 0) return;
  list.SetText(row, 0, entry.fileName);
  list.SetText(row, kKeynameColumn, entry.keyName);
  list.SetText(row, kInstallationColumn, entry.installation);
  list.SetText(row, kDirectoryColumn, entry.directory);
  list.SetImageKey(row, StatusImageKey(entry.installation));
}

// The name is searched literally: c#.exe must find its own row, not the row of C1.exe.
void SelectSavedRow(ListView& list, const PanelEntry& entry) {
  list.Resort();
  ListViewFind(list, EscapeLikePattern(entry.fileName), kFindRowsAndSubItems, true,
               kCompareIgnoringCase, true);
  SetFocus(list.Handle());
}

}  // namespace

SaveResult SaveEntry(Root& root, const SaveOptions& options) {
  const PanelEntry entry = ReadPanel(root);
  if (RefusedName(root, entry)) return SaveResult::Refused;
  if (!MayWriteKey(root, KeyPathOf(entry.keyName))) return SaveResult::Declined;
  if (const LONG error = WriteEntry(entry, options); error != ERROR_SUCCESS) {
    ReportWriteFailure(root, error);
    return SaveResult::Failed;
  }
  RememberBrowseFolder(root);
  ShowInSelectedRow(root.LstFileList(), entry);
  root.Text1().SetLocked(true);
  root.LstFileCache().Append(FormatCacheLine(entry.keyName, entry.installation, entry.directory));
  SelectSavedRow(root.LstFileList(), entry);
  return SaveResult::Saved;
}
