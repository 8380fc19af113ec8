// The catalogue behind the rows: every row carries its entry's id, the panel remembers which
// entry it shows, and after a command the rows show what the registry holds.
#include <algorithm>

#include "catalogue/CacheLine.h"
#include "catalogue/EntryValues.h"
#include "catalogue/Resolution.h"
#include "catalogue/Scan.h"
#include "catalogue/UserScope.h"
#include "ui/modLikeCompareText.h"
#include "platform/ControlPictures.h"
#include "platform/Registry.h"
#include "ui/Root.h"
#include "ui/Texts.h"

namespace {
// Keeps a control from repainting row by row while it is filled.
class RedrawPause {
 public:
  explicit RedrawPause(HWND hwnd) : hwnd_(hwnd) { SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }
  ~RedrawPause() {
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;

 private:
  HWND hwnd_;
};

// The search's view of the list: its rows' ids, and a row found by its id.
class ListRows : public SearchRows {
 public:
  explicit ListRows(const ListView& list) : list_(list) {}
  size_t Count() const override { return static_cast<size_t>(std::max(list_.Count(), 0)); }
  EntryId IdOfRow(size_t row) const override {
    return static_cast<EntryId>(list_.IdOf(static_cast<int>(row)));
  }
  std::optional<size_t> RowOfId(EntryId id) const override {
    const int row = list_.IndexOfId(static_cast<LPARAM>(id));
    return row < 0 ? std::nullopt : std::optional<size_t>(static_cast<size_t>(row));
  }

 private:
  const ListView& list_;
};

// A row the list holds without an entry: the placeholder of a new entry, kept across a refill.
struct OwnRow {
  LPARAM id;
  std::wstring texts[4];
  std::wstring imageKey;
};

Root::TypedText PanelValue(const std::wstring& shown, const std::wstring& loaded,
                           const std::optional<Registry::RawValue>* stored) {
  if (stored != nullptr && *stored && shown == loaded)
    if (std::optional<std::wstring> text = Registry::TextOfRaw(**stored))
      return {std::move(*text), (*stored)->type};
  return {shown, WrittenType(shown, stored != nullptr ? *stored : std::nullopt)};
}
}  // namespace

Root::TypedText Root::PanelInstallation() const {
  const AppPathEntry* entry = catalogue_.Find(panel_.entry);
  return PanelValue(text2_.Text(), panel_.installation,
                    entry != nullptr ? &entry->StoredInstallation : nullptr);
}

Root::TypedText Root::PanelDirectory() const {
  const AppPathEntry* entry = catalogue_.Find(panel_.entry);
  return PanelValue(text3_.Text(), panel_.directory,
                    entry != nullptr ? &entry->StoredDirectory : nullptr);
}

const AppPathEntry* Root::EntryOfRow(int row) const {
  if (row < 0) return nullptr;
  return catalogue_.Find(static_cast<EntryId>(lstFileList_.IdOf(row)));
}

// The new entry's row is the selected one; all three boxes take typing.
void Root::PanelShowsNewEntry() {
  panel_ = PanelSource{};
  panel_.scope = NewEntryScope();
  const int selected = lstFileList_.SelectedIndex();
  panelRow_ = selected >= 0 ? lstFileList_.IdOf(selected) : 0;
  for (TextBox* box : {&text1_, &text2_, &text3_}) box->SetLocked(false);
  ShowScopeInPanel(panel_.scope);
  ShowPanelNote();
}

// Asked once, when the window is made: the rows' commands then say at once what cannot be done
// instead of failing after the user's work.
// The caption also says whose the "Benutzer" rows are when they are not this program's user's.
void Root::CheckMachineWritable() {
  machineWritable_ = Registry::MayWrite(RootOf(Scope::Machine), Registry::kAppPathsKey);
  std::wstring caption = Texts::kCaption;
  if (!machineWritable_) caption += Texts::kReadOnlySuffix;
  if (!UserScope().owner.empty()) caption += Texts::kOtherUserSuffix + UserScope().owner;
  SetWindowTextChecked(hwnd_, caption);
}

Scope Root::NewEntryScope() const { return machineWritable_ ? Scope::Machine : Scope::User; }

void Root::ShowScopeInPanel(Scope scope) {
  SetWindowTextChecked(Control(kLabScope), Texts::ScopeCaption(scope == Scope::Machine));
}

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
    if (result.id == kPanelCheckId) {
      panelCheck_.pending = false;
      panelCheck_.status = static_cast<EntryStatus>(result.value);
      UpdateEditorButtons();
      ShowPanelNote();
      continue;
    }
    if (pending_.erase(result.id) == 0) continue;
    catalogue_.SetStatus(result.id, static_cast<EntryStatus>(result.value));
    changed = true;
  }
  if (!changed) return;
  // Rows ask for their picture when drawn; a repaint shows the answers.
  InvalidateRect(lstFileList_.Handle(), nullptr, FALSE);
  ShowBrokenCount();
  ShowPanelNote();
}

// Rows of entries show their entry as it is now: its texts and the picture of its status.
LRESULT Root::OnGetDispInfo(NMLVDISPINFOW& info) const {
  const AppPathEntry* entry = catalogue_.Find(static_cast<EntryId>(info.item.lParam));
  if ((info.item.mask & LVIF_IMAGE) != 0)
    info.item.iImage =
        entry != nullptr ? lstFileList_.ImageIndexOf(ImageKeyOf(entry->Status)) : I_IMAGENONE;
  if ((info.item.mask & LVIF_TEXT) != 0 && info.item.pszText != nullptr &&
      info.item.cchTextMax > 0) {
    const std::wstring text = entry != nullptr ? CellText(*entry, info.item.iSubItem) : L"";
    lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
  }
  return 0;
}

std::wstring Root::CellText(const AppPathEntry& entry, int column) {
  switch (column) {
    case kColumnFileName:
      return entry.FileName;
    case kColumnKeyname:
      return WithControlPictures(entry.KeyName);
    case kColumnInstallation:
      return entry.Installation;
    case kColumnDirectory:
      return entry.Directory;
    case kColumnScope:
      return Texts::ScopeCaption(entry.Scope == Scope::Machine);
    default:
      return {};
  }
}

void Root::UpdateTwinStatus(const AppPathEntry& entry) {
  const AppPathEntry* twin = catalogue_.Twin(entry);
  if (twin == nullptr || twin->Scope != Scope::Machine) return;
  CheckStatus(*twin);
  InvalidateRect(lstFileList_.Handle(), nullptr, FALSE);
}

// The name changes only through "Umbenennen"; the two values can be typed whenever the key may
// be written.
void Root::LoadEntryIntoPanel(const AppPathEntry& entry) {
  text1_.SetText(entry.FileName);
  text2_.SetText(entry.Installation);
  text3_.SetText(entry.Directory);
  panel_ = PanelSource{entry.Id,           entry.KeyName,   entry.Scope,
                       entry.Installation, entry.Directory, entry.StoredInstallation,
                       entry.StoredDirectory};
  panelRow_ = static_cast<LPARAM>(entry.Id);
  text1_.SetLocked(true);
  text2_.SetLocked(!MayChange(entry));
  text3_.SetLocked(!MayChange(entry));
  ShowScopeInPanel(entry.Scope);
  ShowPanelNote();
}

// The row asks for its texts when drawn: an existing one only needs repainting.
void Root::ShowEntryInRow(const AppPathEntry& entry) {
  const auto id = static_cast<LPARAM>(entry.Id);
  if (lstFileList_.IndexOfId(id) < 0) lstFileList_.InsertOwnerRow(id, entry.FileName, true);
  InvalidateRect(lstFileList_.Handle(), nullptr, FALSE);
}

EntryId Root::Reload(Scope scope, const std::wstring& keyName) {
  std::optional<AppPathEntry> entry = ReadEntry(scope, keyName);
  if (!entry) return 0;
  const EntryId id = catalogue_.Upsert(std::move(*entry));
  CheckStatus(*catalogue_.Find(id));
  const AppPathEntry& stored = *catalogue_.Find(id);
  ShowEntryInRow(stored);
  UpdateTwinStatus(stored);
  lstFileCache_.Put(FormatCacheLine(stored.KeyName, stored.Installation, stored.Directory),
                    static_cast<LPARAM>(id));
  // A sorted list keeps its order: the changed row takes its sorted place.
  if (lstFileList_.IsSorted()) lstFileList_.Resort();
  lstFileList_.Select(RowOf(id));
  lstFileList_.EnsureVisible(RowOf(id));
  ShowBrokenCount();
  return id;
}

void Root::Forget(EntryId id) {
  if (const int row = RowOf(id); row >= 0) lstFileList_.RemoveRow(row);
  lstFileCache_.RemoveData(static_cast<LPARAM>(id));
  const AppPathEntry* gone = catalogue_.Find(id);
  if (gone == nullptr) return;
  const AppPathEntry forgotten = *gone;
  checks_->Cancel(id);
  pending_.erase(id);
  catalogue_.Remove(id);
  UpdateTwinStatus(forgotten);
  if (panel_.entry == id) panel_ = PanelSource{};
  if (panelRow_ == static_cast<LPARAM>(id)) panelRow_ = 0;
  ShowBrokenCount();
}

void Root::ShowBrokenCount() {
  if (scansRunning_ > 0) {
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

// One row and one cache line per entry, in the catalogue's order (a sorted list sorts once at
// the end); rows of the list's own stay.
void Root::FillRowsAndCache() {
  std::vector<OwnRow> own;
  for (int row = 0; row < lstFileList_.Count(); ++row)
    if (lstFileList_.IdOf(row) >= ListView::kOwnIdBase)
      own.push_back({lstFileList_.IdOf(row),
                     {lstFileList_.Text(row, 0), lstFileList_.Text(row, 1),
                      lstFileList_.Text(row, 2), lstFileList_.Text(row, 3)},
                     lstFileList_.ImageKey(row)});
  RedrawPause pause(lstFileList_.Handle());
  lstFileList_.Clear();
  lstFileCache_.Clear();
  // Rows first, then the cache's lines: filled in turn, the two controls' growing stores would
  // leave the heap full of gaps (under Wine a third more memory at 10,000 entries).
  for (const AppPathEntry& entry : catalogue_.Entries())
    lstFileList_.InsertOwnerRow(static_cast<LPARAM>(entry.Id));
  for (const AppPathEntry& entry : catalogue_.Entries())
    lstFileCache_.Append(FormatCacheLine(entry.KeyName, entry.Installation, entry.Directory),
                         static_cast<LPARAM>(entry.Id));
  for (const OwnRow& row : own) {
    const int at = lstFileList_.AppendRow(row.texts[0], row.imageKey, row.id);
    for (int column = 1; column < 4 && at >= 0; ++column)
      lstFileList_.SetText(at, column, row.texts[column]);
  }
  if (lstFileList_.IsSorted()) lstFileList_.Resort();
}

bool Root::PanelEdited() const {
  if (!text1_.Locked()) return true;  // a new entry or a rename under way
  return text2_.Text() != panel_.installation || text3_.Text() != panel_.directory;
}

void Root::ReselectKey(Scope scope, const std::wstring& keyName) {
  const AppPathEntry* entry = catalogue_.FindByKey(scope, keyName);
  if (entry == nullptr) return;
  const int row = RowOf(entry->Id);
  lstFileList_.Select(row);
  lstFileList_.EnsureVisible(row);
}

// What the user is typing in the panel, kept across a refresh.
struct Root::PanelEdits {
  std::wstring texts[3];
  bool locked[3];
  PanelSource source;
};

void Root::Refresh() {
  // The start-up's scan may have read the keys before this change: it reads them again when
  // it is done.
  if (scansRunning_ > 0) {
    refreshAfterScan_ = true;
    return;
  }
  const AppPathEntry* selected = SelectedEntry();
  const std::optional<std::pair<Scope, std::wstring>> keep =
      selected ? std::optional(std::pair(selected->Scope, selected->KeyName)) : std::nullopt;
  std::optional<PanelEdits> edits;
  if (PanelEdited())
    edits = PanelEdits{{text1_.Text(), text2_.Text(), text3_.Text()},
                       {text1_.Locked(), text2_.Locked(), text3_.Locked()},
                       panel_};
  for (const EntryId id : pending_) checks_->Cancel(id);
  pending_.clear();
  const bool newEntry = ShowsNewEntry();
  const LPARAM newEntryRow = panelRow_;
  ++commandsRunning_;  // the rows are made anew: the selection follows without a question
  GetFileCaches(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  GetFileListe();
  if (keep) ReselectKey(keep->first, keep->second);
  --commandsRunning_;
  if (edits) {
    text1_.SetText(edits->texts[0]);
    text2_.SetText(edits->texts[1]);
    text3_.SetText(edits->texts[2]);
    text1_.SetLocked(edits->locked[0]);
    text2_.SetLocked(edits->locked[1]);
    text3_.SetLocked(edits->locked[2]);
    panel_ = edits->source;
    const AppPathEntry* same = catalogue_.FindByKey(panel_.scope, panel_.keyName);
    panel_.entry = same != nullptr ? same->Id : 0;
    panelRow_ = newEntry ? newEntryRow : static_cast<LPARAM>(panel_.entry);
    ShowPanelNote();
  } else {
    LoadSelectedRow();
  }
}

// Both keys for the whole time the window is open; the watch follows a key that is deleted,
// created later or created again by itself.
void Root::WatchRegistry() {
  if (hwnd_ == nullptr) return;
  watch_.Start({{RootOf(Scope::Machine), Registry::kAppPathsKey},
                {RootOf(Scope::User), Registry::kAppPathsKey}},
               hwnd_, kRegistryChangedMessage);
}

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
  const ListRows rows(lstFileList_);
  const int selected = lstFileList_.SelectedIndex();
  const SearchOutcome outcome =
      FindNextRow(catalogue_, rows, selected < 0 ? rows.Count() : static_cast<size_t>(selected),
                  *lastSearch_, UserLocaleCharRules());
  if (outcome.malformed || !outcome.found) {
    prompts_.Message(hwnd_, outcome.malformed ? Texts::kFindMalformed : Texts::kFindNothing,
                     Title(), MB_OK | (outcome.malformed ? MB_ICONWARNING : MB_ICONINFORMATION));
    return;
  }
  const int row = static_cast<int>(*outcome.found);
  lstFileList_.Select(row);
  lstFileList_.EnsureVisible(row);
  // A newly selected row came into the panel through the list's notification (asking first
  // about typed texts); the row already shown keeps what was typed.
  if (row == selected && !leavePending_ && !PanelHasUnsavedEdits()) LoadSelectedRow();
}
