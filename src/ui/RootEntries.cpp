// The catalogue behind the rows and the panel: what the window shows of the entries, their
// statuses as the existence tests answer, and the panel's loading, browse and search.
#include <algorithm>

#include "catalogue/EntryValues.h"
#include "catalogue/Resolution.h"
#include "catalogue/Scan.h"
#include "platform/Dateiexistenz.h"
#include "platform/FileDirPath.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"
#include "texts/Texts.h"
#include "ui/FileDialogFlags.h"
#include "ui/Root.h"
#include "ui/modLikeCompareText.h"

namespace {

std::wstring ProgramFilesFolder() { return SpecialFolderPath(FOLDERID_ProgramFiles); }

// The dialog opens folders, not files: an installation naming a file opens the file's folder.
std::wstring FolderToOpen(const std::wstring& path) {
  return IsFolder(path) ? path : DirectoryPart(path);
}


// The row before the removed one takes the selection; when the first row goes, the row that
// moves into its place; none when no row is left.
int NeighbourOf(int removed, int count) {
  if (count <= 1) return -1;
  return removed == 0 ? 0 : removed - 1;
}

}  // namespace

EntryId Root::SelectedDraft() const {
  const EntryId id = list_.SelectedId();
  return catalogue_.Draft(id) != nullptr ? id : 0;
}

size_t Root::PendingChecks() const {
  return pending_.size() + (panel_.CheckPending() ? 1 : 0) + static_cast<size_t>(scansRunning_) +
         (deferredScan_ ? 1 : 0);
}

// A draft's row shows a new entry, which the panel takes as such (all its boxes editable).
void Root::LoadSelectedRow() {
  if (list_.Count() == 0) return;
  panel_.SetMode(PanelMode::View);
  const EntryId id = list_.SelectedId();
  if (const AppPathEntry* entry = catalogue_.Find(id))
    panel_.LoadEntry(*entry);
  else if (const AppPathEntry* draft = catalogue_.Draft(id))
    panel_.LoadNewEntry(*draft, NewEntryScope());
}

// "Hinzufügen ": a draft in the catalogue, its row selected; nothing is written until the panel
// is saved.
void Root::StartNewEntry() {
  AppPathEntry draft;
  draft.FileName = Texts::kNewEntry;
  draft.KeyName = Texts::kNewEntryKeyMark;
  draft.Status = EntryStatus::FileNotFound;
  draft.Scope = NewEntryScope();
  const EntryId id = catalogue_.AddDraft(std::move(draft));
  if (!list_.AddDraftRow(id)) {
    catalogue_.Remove(id);
    return;
  }
  if (!list_.Select(id, true)) return;
  panel_.LoadNewEntry(*catalogue_.Draft(id), NewEntryScope());
  panel_.SelectFileName();
}

// ---- Statuses ----

// What needs no file system is decided at once: a machine entry the user's hides, a key without
// a program. The existence test of a program runs on a worker thread (a share that does not
// answer must not freeze the window); the row shows no picture until it answers.
void Root::CheckStatus(const AppPathEntry& entry) {
  checks_->Cancel(entry.Id);
  pending_.erase(entry.Id);
  const std::optional<std::wstring> program = ProgramText(entry);
  if (catalogue_.HiddenByUser(entry) || !program) {
    catalogue_.SetStatus(entry.Id, catalogue_.HiddenByUser(entry) ? EntryStatus::Hidden
                                                                : EntryStatusOf(entry));
    return;
  }
  catalogue_.SetStatus(entry.Id, EntryStatus::Checking);
  const uint32_t type = entry.StoredInstallation->type;
  if (checks_->Submit(entry.Id, [text = *program, type] {
        return static_cast<int>(ProgramStatus(text, type));
      }) != 0)
    pending_.insert(entry.Id);
}

// Programs on a network share go last: two that do not answer must not hold up the rest.
void Root::CheckStatuses() {
  std::vector<const AppPathEntry*> later;
  for (const AppPathEntry& entry : catalogue_.Entries()) {
    if (entry.Installation.rfind(L"\\\\", 0) == 0 || entry.Installation.rfind(L"\"\\\\", 0) == 0)
      later.push_back(&entry);
    else
      CheckStatus(entry);
  }
  for (const AppPathEntry* entry : later) CheckStatus(*entry);
}

void Root::OnChecksFinished() {
  bool changed = false;
  for (const CheckResult& result : checks_->TakeFinished()) {
    if (result.id == EditorPanel::kCheckId) {
      panel_.OnCheckAnswered(static_cast<EntryStatus>(result.value));
      continue;
    }
    if (pending_.erase(result.id) == 0) continue;
    catalogue_.SetStatus(result.id, static_cast<EntryStatus>(result.value));
    changed = true;
  }
  if (!changed) return;
  // Rows ask for their picture when drawn; a repaint shows the answers.
  list_.Repaint();
  ShowBrokenCount();
  panel_.ShowNote();
}

// The user's twin warns of what it hides, so its details are read again as well.
void Root::UpdateTwinStatus(const AppPathEntry& entry) {
  const AppPathEntry* twin = catalogue_.Twin(entry);
  if (twin != nullptr) RequestDetails(*twin);
  if (twin == nullptr || twin->Scope != Scope::Machine) return;
  CheckStatus(*twin);
  list_.Repaint();
}

void Root::ShowBrokenCount() {
  if (Reading()) {
    SetWindowTextChecked(LabFileError(), Texts::kReadingEntries);
    return;
  }
  const int broken = catalogue_.BrokenCount();
  if (!pending_.empty()) {
    SetWindowTextChecked(LabFileError(), Texts::CheckingCaption(broken, pending_.size()));
    return;
  }
  SetWindowTextChecked(LabFileError(), broken > 0 ? Texts::BrokenCountCaption(broken)
                                                  : std::wstring(Texts::kNoBrokenEntries));
}

// ---- After a command ----

EntryId Root::Reload(Scope scope, const std::wstring& keyName) {
  std::optional<AppPathEntry> entry = ReadEntry(scope, keyName);
  if (!entry) return 0;
  const EntryId id = catalogue_.Upsert(std::move(*entry));
  CheckStatus(*catalogue_.Find(id));
  RequestDetails(*catalogue_.Find(id));
  list_.Show(id);
  UpdateTwinStatus(*catalogue_.Find(id));
  list_.Select(id, true);
  ShowBrokenCount();
  return id;
}

void Root::Forget(EntryId id, bool selectNeighbour) {
  const int neighbour = NeighbourOf(list_.RowOf(id), list_.Count());
  list_.Remove(id);
  if (const AppPathEntry* gone = catalogue_.Find(id)) {
    const AppPathEntry forgotten = *gone;
    checks_->Cancel(id);
    pending_.erase(id);
    details_->Cancel(id);
    detailsPending_.erase(id);
    catalogue_.Remove(id);
    UpdateTwinStatus(forgotten);
    panel_.Forget(id);
    ShowBrokenCount();
  } else {
    catalogue_.Remove(id);  // a draft
    panel_.Forget(id);
  }
  if (selectNeighbour) list_.SelectRow(neighbour);
}

// ---- The panel's own actions ----

// The selected row in the panel (typed texts of that row stay), the focus in the installation box
// with its text selected.
void Root::EditSelectedEntry() {
  const EntryId selected = list_.SelectedId();
  if (selected == 0) return;
  if (selected != panel_.Shown()) LoadSelectedRow();
  panel_.SelectInstallation();
}

void Root::LoadSelectedCacheLine() {
  if (list_.Count() == 0) return;
  const EntryId id = list_.CacheIdAt(list_.LstFileCache().SelectedIndex());
  if (const AppPathEntry* entry = catalogue_.Find(id)) panel_.LoadEntry(*entry);
}

// The click on BDateiname: the open dialog, then the chosen program into the panel. Nothing is
// written to the registry. A new entry in progress stays in the panel; anything else shows its
// row's saved values.
void Root::BrowseForProgram() {
  if (SelectedEntry() != nullptr) LoadSelectedRow();
  const std::wstring folder = InitialBrowseFolder();
  if (list_.Count() == 0) return;
  FileDialogRequest request;
  request.title = Texts::kBrowseTitle;
  request.filter = Texts::kBrowseFilter;
  request.flags = kBrowseDialogFlags;
  request.initialFolder = folder;
  const std::wstring installation = panel_.Text2().Text();
  if (PathExists(installation)) request.initialFolder = FolderToOpen(installation);
  dialog1FileName_.clear();
  const std::optional<std::wstring> chosen = prompts_.OpenFile(hwnd_, request);
  if (!chosen || chosen->empty()) return;
  dialog1FileName_ = *chosen;
  panel_.FillFromChosenFile(*chosen);
}

// LastBrowseFolder when it names a folder that is still there, else the program files folder.
std::wstring Root::InitialBrowseFolder() const {
  const auto values = Registry::ReadValues(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  const Registry::RawValue* value =
      values ? Registry::FindValue(*values, kLastBrowseFolderValue) : nullptr;
  const std::wstring folder = value ? Registry::TextOfRaw(*value).value_or(L"") : L"";
  return PathExists(folder) ? folder : ProgramFilesFolder();
}

// ---- Search ----

void Root::Search() {
  const std::optional<SearchRequest> request =
      prompts_.AskSearch(hwnd_, lastSearch_.value_or(SearchRequest{}));
  if (!request) return;
  lastSearch_ = *request;
  SearchNext();
}

// The entries' data, then the first of their rows in the list's order: no text is read back
// from the control.
void Root::SearchNext() {
  if (!lastSearch_) {
    Search();
    return;
  }
  const EntryListRows rows(list_);
  const int selected = list_.LstFileList().SelectedIndex();
  const SearchOutcome outcome =
      FindNextRow(catalogue_, rows, selected < 0 ? rows.Count() : static_cast<size_t>(selected),
                  *lastSearch_, UserLocaleCharRules());
  if (outcome.malformed || !outcome.found) {
    Tell(outcome.malformed ? Texts::kFindMalformed : Texts::kFindNothing,
         MB_OK | (outcome.malformed ? MB_ICONWARNING : MB_ICONINFORMATION));
    return;
  }
  const int row = static_cast<int>(*outcome.found);
  list_.Select(list_.IdAt(row), true);
  // A newly selected row came into the panel through the list's notification (asking first
  // about typed texts); the row already shown keeps what was typed.
  if (row == selected && !leavePending_ && !panel_.HasUnsavedEdits()) LoadSelectedRow();
}
