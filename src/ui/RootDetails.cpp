// What the window shows of the registrations' programs: their details (maker, version,
// signature, hijack warnings) read by workers of their own and filled in as they come, the
// optional columns the user shows from the header's menu, and the rows of Windows' own
// programs the user may hide. Both choices are remembered per user.
#include <windowsx.h>

#include "platform/Others.h"
#include "texts/DetailsTexts.h"
#include "ui/Root.h"
#include "ui/UserSettings.h"

void Root::CreateDetailsWorkers() {
  detailWorkers_ = std::make_unique<BackgroundChecks>(hwnd_, kDetailsFinishedMessage, kDetailsWorkers);
  details_ = std::make_unique<DetailsChecks>(*detailWorkers_);
}

// Read once, before the first rows: a setting that is missing or of another type is the
// default (no optional column, every row shown).
void Root::ApplyUserSettings() {
  list_.ShowDetailColumns(ReadUserSetting(kDetailColumnsSetting).value_or(0));
  const bool hide = ReadUserSetting(kHideWindowsEntriesSetting).value_or(0) != 0;
  list_.HideWindowsEntries(hide);
  CheckMenuItem(commandMenu_, kMnuWindowsAusblenden, MF_BYCOMMAND | (hide ? MF_CHECKED : MF_UNCHECKED));
}

// The request is copied here, so the worker reads nothing of the catalogue.
void Root::RequestDetails(const AppPathEntry& entry) {
  if (!details_ || entry.Draft) return;
  if (details_->Submit(entry.Id, DetailsRequestOf(catalogue_, entry)))
    detailsPending_.insert(entry.Id);
  else
    detailsPending_.erase(entry.Id);
}

// Asked for a few at a time, the rest as answers come (FeedDetails).
void Root::RequestAllDetails() {
  detailsWaiting_.clear();
  for (const AppPathEntry& entry : catalogue_.Entries()) detailsWaiting_.push_back(entry.Id);
  FeedDetails();
}

void Root::FeedDetails() {
  while (detailsPending_.size() < kDetailsInFlight && !detailsWaiting_.empty()) {
    const EntryId id = detailsWaiting_.front();
    detailsWaiting_.pop_front();
    const AppPathEntry* entry = catalogue_.Find(id);  // gone meanwhile: nothing to ask
    if (entry != nullptr && !detailsPending_.contains(id)) RequestDetails(*entry);
  }
}

// Before the entries are replaced: their ids will not come again.
void Root::ForgetDetails() {
  for (const EntryId id : detailsPending_) details_->Cancel(id);
  detailsPending_.clear();
  detailsWaiting_.clear();
}

void Root::OnDetailsFinished() {
  bool changed = false;
  for (const CheckResult& result : detailWorkers_->TakeFinished()) {
    std::optional<std::pair<EntryId, ProgramDetails>> taken = details_->Take(result);
    if (!taken || detailsPending_.erase(taken->first) == 0) continue;
    if (!catalogue_.SetDetails(taken->first, std::move(taken->second))) continue;
    list_.DetailsArrived(taken->first);
    if (panel_.Source().entry == taken->first) panel_.ShowDetails();
    changed = true;
  }
  FeedDetails();
  if (changed) list_.Repaint();
}

// ---- The user's choices ----

void Root::ToggleDetailColumn(int column) {
  if (!EntryListView::IsDetailColumn(column)) return;
  const uint32_t shown = list_.ShownDetailColumns() ^ EntryListView::DetailColumnBit(column);
  list_.ShowDetailColumns(shown);
  SaveUserSetting(kDetailColumnsSetting, shown);
}

// The rows are filled anew; the selected row stays selected when it is still shown, and texts
// the user is typing in the panel stay as they are.
void Root::ToggleWindowsEntries() {
  const bool hide = !list_.HidesWindowsEntries();
  const EntryId selected = list_.SelectedId();
  std::optional<EditorPanel::Snapshot> edits;
  if (panel_.Edited()) edits = panel_.Take();
  list_.HideWindowsEntries(hide);
  CheckMenuItem(commandMenu_, kMnuWindowsAusblenden, MF_BYCOMMAND | (hide ? MF_CHECKED : MF_UNCHECKED));
  if (list_.RowOf(selected) >= 0) list_.Select(selected, true);
  SelectFirstRowWhenNoneIs();
  if (edits)
    panel_.Restore(*edits, edits->source.entry);
  else
    LoadSelectedRow();
  SaveUserSetting(kHideWindowsEntriesSetting, hide ? 1 : 0);
}

// The choice holds for this window either way; the user hears that it will not last.
void Root::SaveUserSetting(const wchar_t* name, uint32_t value) {
  const LONG error = WriteUserSetting(name, value);
  if (error != ERROR_SUCCESS)
    Tell(std::wstring(Texts::kSettingNotSaved) + L"\n" + SystemMessage(static_cast<DWORD>(error)),
         MB_OK | MB_ICONWARNING);
}

// ---- The header's menu ----

// The header hands its context menu to the list, which hands it on to us: the point tells.
bool Root::OnHeader(HWND source, LPARAM where) const {
  const HWND header = list_.Header();
  if (source == header) return true;
  if (where == -1 || header == nullptr) return false;
  RECT r{};
  const POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  return GetWindowRect(header, &r) && PtInRect(&r, at);
}

void Root::ShowColumnMenu(POINT at) {
  if (columnMenu_ == nullptr) {
    columnMenu_ = CreatePopupMenu();
    for (int column = EntryListView::kFirstDetailColumn;
         EntryListView::IsDetailColumn(column); ++column)
      AppendMenuW(columnMenu_, MF_STRING, static_cast<UINT_PTR>(kMnuSpalten + column),
                  EntryListView::ColumnHeader(column));
  }
  for (int column = EntryListView::kFirstDetailColumn; EntryListView::IsDetailColumn(column);
       ++column) {
    const bool shown = (list_.ShownDetailColumns() & EntryListView::DetailColumnBit(column)) != 0;
    CheckMenuItem(columnMenu_, static_cast<UINT>(kMnuSpalten + column),
                  MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
  }
  ++columnMenuOpenings_;
  SetForegroundWindow(hwnd_);
  TrackPopupMenuEx(columnMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, hwnd_,
                   nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}
