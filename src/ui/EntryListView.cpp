#include "ui/EntryListView.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "catalogue/CacheLine.h"
#include "platform/ControlPictures.h"
#include "texts/DetailsTexts.h"
#include "texts/Texts.h"
#include "ui/controls/StatusImages.h"

namespace {

// The user's collation with letter case ignored; an ordinal comparison when the locale refuses,
// so the order stays total.
// Versions compare by their numbers ("9.0" before "10.0").
int CompareCellTexts(const std::wstring& a, const std::wstring& b, bool numbers = false) {
  const DWORD flags = NORM_IGNORECASE | (numbers ? SORT_DIGITSASNUMBERS : 0);
  const int r = CompareStringEx(LOCALE_NAME_USER_DEFAULT, flags, a.c_str(),
                                static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                nullptr, nullptr, 0);
  if (r != 0) return r - CSTR_EQUAL;
  return a.compare(b);
}

bool GainsSelection(const NMLISTVIEW& change) {
  return (change.uChanged & LVIF_STATE) != 0 && (change.uNewState & LVIS_SELECTED) != 0 &&
         (change.uOldState & LVIS_SELECTED) == 0;
}

bool WidensColumn(UINT code) {
  return code == HDN_BEGINTRACKW || code == HDN_BEGINTRACKA || code == HDN_DIVIDERDBLCLICKW ||
         code == HDN_DIVIDERDBLCLICKA;
}

void Raise(const std::function<void()>& event) {
  if (event) event();
}

// `text` begins with `prefix` (equals it, unless `partial`), letter case ignored.
bool BeginsWith(const std::wstring& text, const std::wstring& prefix, bool partial) {
  if (text.size() < prefix.size() || (!partial && text.size() != prefix.size())) return false;
  return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, text.c_str(),
                         static_cast<int>(prefix.size()), prefix.c_str(),
                         static_cast<int>(prefix.size()), nullptr, nullptr, 0) == CSTR_EQUAL;
}

}  // namespace

void EntryListView::Attach(HWND list, HWND cache, Events events) {
  list_.Attach(list);
  cache_.Attach(cache);
  events_ = std::move(events);
}

// ---- Notifications ----

// A header click sorts, a row that gains the selection is announced (whether by arrow key, page
// key, click or a command), and the dividers of the Keyname column and of a hidden optional
// column can be neither dragged nor double-clicked.
std::optional<LRESULT> EntryListView::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == list_.Header()) {
    if (!WidensColumn(header.code)) return std::nullopt;
    const int column = reinterpret_cast<const NMHEADERW&>(header).iItem;
    const bool hidden = IsDetailColumn(column) && (shownDetails_ & DetailColumnBit(column)) == 0;
    return column == kColumnKeyname || hidden ? TRUE : FALSE;
  }
  if (header.hwndFrom != list_.Handle()) return std::nullopt;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      // The list hands over its own buffer for the answer.
      return OnGetDispInfo(const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)));
    case LVN_ODFINDITEMW:
      return FindRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
    case LVN_ITEMCHANGED:
      if (!reordering_ && GainsSelection(reinterpret_cast<const NMLISTVIEW&>(header)))
        Raise(events_.rowSelected);
      return 0;
    case LVN_GETINFOTIPW:
      FillInfoTip(const_cast<NMLVGETINFOTIPW&>(reinterpret_cast<const NMLVGETINFOTIPW&>(header)));
      return 0;
    case NM_DBLCLK:
      Raise(events_.doubleClicked);
      return 0;
    case LVN_COLUMNCLICK:
      SortBy(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
      return 0;
    default:
      return 0;
  }
}

void EntryListView::OnCacheCommand(int code) {
  if (code == LBN_DBLCLK) Raise(events_.cacheLineDoubleClicked);
}

// Rows show their entry as it is now: its texts and the picture of its status.
LRESULT EntryListView::OnGetDispInfo(NMLVDISPINFOW& info) const {
  const EntryId id = IdAt(info.item.iItem);
  if ((info.item.mask & LVIF_PARAM) != 0) info.item.lParam = static_cast<LPARAM>(id);
  const AppPathEntry* entry = EntryOf(id);
  if ((info.item.mask & LVIF_IMAGE) != 0)
    info.item.iImage = entry != nullptr ? StatusImageIndex(ImageKeyOf(entry->Status)) : I_IMAGENONE;
  if ((info.item.mask & LVIF_TEXT) != 0 && info.item.pszText != nullptr &&
      info.item.cchTextMax > 0) {
    const std::wstring text = entry != nullptr ? RowText(*entry, info.item.iSubItem) : L"";
    lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
  }
  return 0;
}

std::wstring EntryListView::CellText(const AppPathEntry& entry, int column) {
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
      return entry.Draft ? L"" : Texts::ScopeCaption(entry.Scope == Scope::Machine);
    default:
      return {};
  }
}

int EntryListView::Compare(const AppPathEntry& a, const AppPathEntry& b, int column) {
  return CompareCellTexts(CellText(a, column), CellText(b, column));
}

std::wstring EntryListView::DetailText(const ProgramDetails* details, int column) {
  if (details == nullptr) return {};
  switch (column) {
    case kColumnCompany:
      return details->Company;
    case kColumnVersion:
      return details->Version;
    case kColumnSignature:
      return Texts::SignatureCaption(details->Signature, details->Signer);
    case kColumnHint:
      return Texts::WarningsCaption(details->Warnings);
    default:
      return {};
  }
}

// Key names and texts as stored, through their control pictures: a program's version resource
// is anyone's text as well.
std::wstring EntryListView::RowText(const AppPathEntry& entry, int column) const {
  if (!IsDetailColumn(column)) return CellText(entry, column);
  return WithControlPictures(DetailText(catalogue_.Details(entry.Id), column));
}

bool EntryListView::LeavesOut(const AppPathEntry& entry) const {
  const ProgramDetails* details = catalogue_.Details(entry.Id);
  return hideWindows_ && details != nullptr && details->MicrosoftRoot;
}

const AppPathEntry* EntryListView::EntryOf(EntryId id) const {
  const AppPathEntry* entry = catalogue_.Find(id);
  return entry != nullptr ? entry : catalogue_.Draft(id);
}

// ---- Rows ----

bool EntryListView::GetFileCaches() {
  cache_.Clear();
  cacheIds_.clear();
  for (const AppPathEntry& entry : catalogue_.Entries()) cacheIds_.push_back(entry.Id);
  cache_.SetCount(static_cast<int>(cacheIds_.size()));
  // Reading line by line leaves the last line the current one.
  if (const int lines = cache_.Count(); lines > 0) cache_.Select(lines - 1);
  return cache_.Count() > 0;
}

void EntryListView::GetFileListe() {
  std::vector<EntryId> rows;
  rows.reserve(catalogue_.Entries().size() + 1);
  for (const AppPathEntry& entry : catalogue_.Entries())
    if (!LeavesOut(entry)) rows.push_back(entry.Id);
  for (const EntryId id : rows_)
    if (catalogue_.Draft(id) != nullptr) rows.push_back(id);  // drafts stay, last
  {
    Reordering quietly(*this);
    list_.Select(-1);  // a list filled anew has no selection; the caller chooses one
    rows_ = std::move(rows);
    if (sortColumn_) SortRows(*sortColumn_);
    list_.SetVirtualRowCount(static_cast<int>(rows_.size()));
  }
  list_.Redraw();
}

// A row added to a sorted list goes where its file name sorts; sorted by another column, where
// the empty text does (the other columns are not looked at), until the list is next sorted.
int EntryListView::InsertRow(EntryId id, const std::wstring& fileName) {
  const int at = !sortColumn_ ? Count()
                              : SortedPositionFor(*sortColumn_ == kColumnFileName ? fileName : L"");
  return InsertRowAt(at, id);
}

// The selected entry keeps its selection wherever its row moves to.
int EntryListView::InsertRowAt(int at, EntryId id) {
  const EntryId selected = SelectedId();
  Reordering quietly(*this);
  rows_.insert(rows_.begin() + at, id);
  if (!list_.SetVirtualRowCount(Count())) {
    rows_.erase(rows_.begin() + at);
    return -1;
  }
  list_.Select(RowOf(selected));
  list_.Redraw();
  return at;
}

// Behind the rows that compare equal, as an append would be.
int EntryListView::SortedPositionFor(const std::wstring& text) const {
  const auto at = std::upper_bound(rows_.begin(), rows_.end(), text,
                                   [&](const std::wstring& t, EntryId id) {
                                     const AppPathEntry* entry = EntryOf(id);
                                     return CompareCellTexts(
                                                t, entry != nullptr ? RowText(*entry, *sortColumn_)
                                                                    : L"") < 0;
                                   });
  return static_cast<int>(at - rows_.begin());
}

int EntryListView::RowOf(EntryId id) const {
  const auto at = std::find(rows_.begin(), rows_.end(), id);
  return id == 0 || at == rows_.end() ? -1 : static_cast<int>(at - rows_.begin());
}

void EntryListView::Show(EntryId id) {
  const AppPathEntry* entry = catalogue_.Find(id);
  if (entry == nullptr) return;
  if (RowOf(id) < 0 && !LeavesOut(*entry)) InsertRow(id, entry->FileName);
  list_.Redraw();
  // An entry's line shows it as it is now; a new entry's line comes last.
  if (CacheLineOf(id) < 0 && cache_.Insert(cache_.Count(), L"", 0) >= 0) cacheIds_.push_back(id);
  // A sorted list keeps its order: the changed row takes its sorted place.
  if (sortColumn_) SortBy(*sortColumn_);
}

bool EntryListView::AddDraftRow(EntryId draft) {
  const AppPathEntry* entry = catalogue_.Draft(draft);
  if (entry == nullptr) return false;
  if (sortColumn_) return InsertRow(draft, entry->FileName) >= 0;
  return InsertRowAt(Count() == 0 ? 0 : Count() - 1, draft) >= 0;
}

// A removed row takes its selection with it; the caller decides which row has it next.
void EntryListView::Remove(EntryId id) {
  if (const int row = RowOf(id); row >= 0) {
    const EntryId selected = SelectedId();
    Reordering quietly(*this);
    list_.Select(-1);
    rows_.erase(rows_.begin() + row);
    list_.SetVirtualRowCount(Count());
    if (selected != id) list_.Select(RowOf(selected));
    list_.Redraw();
  }
  if (const int line = CacheLineOf(id); line >= 0 && cache_.Remove(line))
    cacheIds_.erase(cacheIds_.begin() + line);
}

int EntryListView::CacheLineOf(EntryId id) const {
  const auto at = std::find(cacheIds_.begin(), cacheIds_.end(), id);
  return at == cacheIds_.end() ? -1 : static_cast<int>(at - cacheIds_.begin());
}

std::wstring EntryListView::CacheLine(int line) const {
  const AppPathEntry* entry = catalogue_.Find(CacheIdAt(line));
  return entry == nullptr ? L"" : FormatCacheLine(entry->KeyName, entry->Installation, entry->Directory);
}

bool EntryListView::Select(EntryId id, bool reveal) {
  const int row = id == 0 ? -1 : RowOf(id);
  const bool selected = list_.Select(row);
  if (reveal) list_.EnsureVisible(row);
  return selected;
}

POINT EntryListView::KeyboardMenuPoint() const {
  POINT at{0, 0};
  RECT row{};
  const int selected = list_.SelectedIndex();
  if (selected >= 0 && list_.RowRect(selected, row, LVIR_LABEL)) at = {row.left, row.bottom};
  ClientToScreen(list_.Handle(), &at);
  return at;
}

// ---- Sorting ----

// The texts are taken from the entries once; ties keep their order, so sorting again never
// shuffles rows with equal texts. The selected entry stays selected.
void EntryListView::SortBy(int column) {
  if (column < 0 || column >= list_.ColumnCount()) return;
  const EntryId selected = SelectedId();
  Reordering quietly(*this);
  SortRows(column);
  sortColumn_ = column;
  list_.Select(RowOf(selected));
  list_.Redraw();
}

void EntryListView::SortRows(int column) {
  std::vector<std::pair<std::wstring, EntryId>> keyed;
  keyed.reserve(rows_.size());
  for (const EntryId id : rows_) {
    const AppPathEntry* entry = EntryOf(id);
    keyed.emplace_back(entry != nullptr ? RowText(*entry, column) : L"", id);
  }
  const bool numbers = column == kColumnVersion;
  std::stable_sort(keyed.begin(), keyed.end(), [numbers](const auto& a, const auto& b) {
    return CompareCellTexts(a.first, b.first, numbers) < 0;
  });
  for (size_t i = 0; i < keyed.size(); ++i) rows_[i] = keyed[i].second;
}

// Typing a name's first letters in the list finds the next row whose file name begins so; the
// list asks its owner, as it holds no texts.
LRESULT EntryListView::FindRow(const NMLVFINDITEMW& find) const {
  const LVFINDINFOW& what = find.lvfi;
  if ((what.flags & LVFI_PARAM) != 0) return RowOf(static_cast<EntryId>(what.lParam));
  if ((what.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || what.psz == nullptr) return -1;
  const std::wstring wanted = what.psz;
  const int count = Count();
  const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
  for (int step = 0; step < count; ++step) {
    const int row = start + step;
    if (row >= count && (what.flags & LVFI_WRAP) == 0) break;
    const AppPathEntry* entry = EntryOf(IdAt(row % count));
    if (entry != nullptr && BeginsWith(entry->FileName, wanted, (what.flags & LVFI_PARTIAL) != 0))
      return row % count;
  }
  return -1;
}

// ---- Windows' own rows ----

void EntryListView::HideWindowsEntries(bool hide) {
  if (hide == hideWindows_) return;
  hideWindows_ = hide;
  GetFileListe();
}

// A row keeps its place until the list is next sorted: sorting at every answer would cost the
// window's thread more than the answers are worth. The caller repaints once for many answers.
void EntryListView::DetailsArrived(EntryId id) {
  const AppPathEntry* entry = catalogue_.Find(id);
  const int row = RowOf(id);
  if (entry != nullptr && row >= 0 && LeavesOut(*entry)) list_.RemoveRow(row);
}
