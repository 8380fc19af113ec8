#include "ui/EntryListView.h"

#include <iterator>
#include <unordered_map>
#include <vector>

#include "catalogue/CacheLine.h"
#include "platform/ControlPictures.h"
#include "texts/DetailsTexts.h"
#include "texts/Texts.h"
#include "ui/controls/StatusImages.h"

namespace {

struct ColumnDesign {
  const wchar_t* header;
  int width;  // pixels at 96 DPI
};
constexpr ColumnDesign kColumns[] = {{Texts::kHeaderDateiname, 120},
                                     {Texts::kHeaderKeyname, 0},
                                     {Texts::kHeaderInstallation, 205},
                                     {Texts::kHeaderVerzeichnis, 150},
                                     {Texts::kHeaderBereich, 65},
                                     {Texts::kHeaderHersteller, 130},
                                     {Texts::kHeaderVersion, 75},
                                     {Texts::kHeaderSignatur, 150},
                                     {Texts::kHeaderHinweis, 160}};
// The Keyname column is shown last, so even a sliver of it never sits between the others.
constexpr int kColumnOrder[] = {0, 2, 3, 4, 5, 6, 7, 8, 1};
static_assert(std::size(kColumnOrder) == std::size(kColumns));

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

// The sort column's text of every row, taken from the entries once, and where each row stood.
struct SortKeys {
  struct Key {
    std::wstring text;
    int position = 0;
  };
  std::unordered_map<LPARAM, Key> byId;
  bool numbers = false;
};

// Ties keep their previous order, so sorting again never shuffles rows with equal texts.
int CALLBACK CompareRows(LPARAM id1, LPARAM id2, LPARAM context) {
  const SortKeys& sortKeys = *reinterpret_cast<const SortKeys*>(context);
  const auto& keys = sortKeys.byId;
  const auto a = keys.find(id1);
  const auto b = keys.find(id2);
  if (a == keys.end() || b == keys.end()) return 0;
  const int byText = CompareCellTexts(a->second.text, b->second.text, sortKeys.numbers);
  return byText != 0 ? byText : a->second.position - b->second.position;
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

// Keeps a control from repainting row by row while it is filled. WM_SETREDRAW is every window's
// message, no list view's: a wrapper would add nothing.
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

std::wstring CacheLineOfEntry(const AppPathEntry& entry) {
  return FormatCacheLine(entry.KeyName, entry.Installation, entry.Directory);
}

}  // namespace

void EntryListView::Attach(HWND list, HWND cache, Events events) {
  list_.Attach(list);
  cache_.Attach(cache);
  events_ = std::move(events);
}

void EntryListView::SetUp(UINT dpi) {
  list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
  if (list_.ColumnCount() == 0) {
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
      const int width = MulDiv(kColumns[column].width, static_cast<int>(dpi), 96);
      if (IsDetailColumn(column)) detailWidths_[column - kFirstDetailColumn] = width;
      list_.AddColumn(kColumns[column].header, IsDetailColumn(column) ? 0 : width);
    }
  }
  HideKeynameColumn();
}

void EntryListView::ShowDetailColumns(uint32_t shown) {
  for (int column = kFirstDetailColumn; column < kFirstDetailColumn + kDetailColumns; ++column) {
    const bool show = (shown & DetailColumnBit(column)) != 0;
    int& width = detailWidths_[column - kFirstDetailColumn];
    if (!show && (shownDetails_ & DetailColumnBit(column)) != 0 && list_.ColumnWidth(column) > 0)
      width = list_.ColumnWidth(column);
    list_.SetColumnWidth(column, show ? width : 0);
  }
  shownDetails_ = shown & ((uint32_t{1} << kDetailColumns) - 1);
}

// ImageList1 serves the list's icons and small icons alike.
void EntryListView::SetImages(HIMAGELIST images) {
  list_.SetImageList(images, LVSIL_SMALL);
  list_.SetImageList(images, LVSIL_NORMAL);
}

// The columns keep the widths the user gave them, scaled.
void EntryListView::ScaleColumns(UINT oldDpi, UINT newDpi) {
  const auto scaled = [&](int width) {
    return MulDiv(width, static_cast<int>(newDpi), static_cast<int>(oldDpi));
  };
  for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column)
    list_.SetColumnWidth(column, scaled(list_.ColumnWidth(column)));
  for (int& width : detailWidths_) width = scaled(width);
}

void EntryListView::HideKeynameColumn() {
  list_.SetColumnWidth(kColumnKeyname, 0);
  list_.SetColumnOrder(kColumnOrder, static_cast<int>(std::size(kColumnOrder)));
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
    case LVN_ITEMCHANGED:
      if (GainsSelection(reinterpret_cast<const NMLISTVIEW&>(header))) Raise(events_.rowSelected);
      return 0;
    case NM_CLICK:
      Raise(events_.clicked);
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
  const AppPathEntry* entry = EntryOf(static_cast<EntryId>(info.item.lParam));
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

const wchar_t* EntryListView::ColumnHeader(int column) {
  return column >= 0 && column < static_cast<int>(std::size(kColumns)) ? kColumns[column].header
                                                                        : L"";
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
  for (const AppPathEntry& entry : catalogue_.Entries())
    cache_.Insert(cache_.Count(), CacheLineOfEntry(entry), static_cast<LPARAM>(entry.Id));
  // Reading line by line leaves the last line the current one.
  if (const int lines = cache_.Count(); lines > 0) cache_.Select(lines - 1);
  return cache_.Count() > 0;
}

void EntryListView::GetFileListe() {
  std::vector<EntryId> drafts;  // in the list's order
  for (int row = 0; row < list_.Count(); ++row)
    if (catalogue_.Draft(IdAt(row)) != nullptr) drafts.push_back(IdAt(row));
  {
    RedrawPause pause(list_.Handle());
    list_.Clear();
    for (const AppPathEntry& entry : catalogue_.Entries())
      if (!LeavesOut(entry)) list_.InsertCallbackRow(list_.Count(), static_cast<LPARAM>(entry.Id));
    for (const EntryId draft : drafts) list_.InsertCallbackRow(list_.Count(), static_cast<LPARAM>(draft));
  }
  if (sortColumn_) SortBy(*sortColumn_);
}

// A row added to a sorted list goes where its file name sorts; sorted by another column, where
// the empty text does (the sub-items are not looked at), until the list is next sorted.
int EntryListView::InsertRow(EntryId id, const std::wstring& fileName) {
  const int at = !sortColumn_ ? list_.Count()
                              : SortedPositionFor(*sortColumn_ == kColumnFileName ? fileName : L"");
  return list_.InsertCallbackRow(at, static_cast<LPARAM>(id));
}

// Behind the rows that compare equal, as an append would be.
int EntryListView::SortedPositionFor(const std::wstring& text) const {
  int low = 0;
  int high = list_.Count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    const AppPathEntry* entry = EntryOf(IdAt(middle));
    if (CompareCellTexts(entry != nullptr ? RowText(*entry, *sortColumn_) : L"", text) <= 0)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

void EntryListView::Show(EntryId id) {
  const AppPathEntry* entry = catalogue_.Find(id);
  if (entry == nullptr) return;
  if (RowOf(id) < 0 && !LeavesOut(*entry)) InsertRow(id, entry->FileName);
  list_.Redraw();
  const int line = CacheLineOf(id);
  if (line >= 0) cache_.Remove(line);
  cache_.Insert(line >= 0 ? line : cache_.Count(), CacheLineOfEntry(*entry),
                static_cast<LPARAM>(id));
  // A sorted list keeps its order: the changed row takes its sorted place.
  if (sortColumn_) SortBy(*sortColumn_);
}

bool EntryListView::AddDraftRow(EntryId draft) {
  const AppPathEntry* entry = catalogue_.Draft(draft);
  if (entry == nullptr) return false;
  if (sortColumn_) return InsertRow(draft, entry->FileName) >= 0;
  const int count = list_.Count();
  return list_.InsertCallbackRow(count == 0 ? 0 : count - 1, static_cast<LPARAM>(draft)) >= 0;
}

void EntryListView::Remove(EntryId id) {
  if (const int row = RowOf(id); row >= 0) list_.RemoveRow(row);
  if (const int line = CacheLineOf(id); line >= 0) cache_.Remove(line);
}

int EntryListView::CacheLineOf(EntryId id) const {
  for (int line = 0; line < cache_.Count(); ++line)
    if (cache_.Data(line) == static_cast<LPARAM>(id)) return line;
  return -1;
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

// The texts are taken from the entries once, keyed by the rows' ids, so the comparison sends no
// messages and is unaffected by rows moving while the control sorts.
void EntryListView::SortBy(int column) {
  if (column < 0 || column >= list_.ColumnCount()) return;
  SortKeys keys;
  const int count = list_.Count();
  keys.byId.reserve(static_cast<size_t>(count));
  for (int row = 0; row < count; ++row) {
    const AppPathEntry* entry = EntryOf(IdAt(row));
    keys.byId[list_.IdOf(row)] = {entry != nullptr ? RowText(*entry, column) : L"", row};
  }
  keys.numbers = column == kColumnVersion;
  if (list_.SortItems(&CompareRows, reinterpret_cast<LPARAM>(&keys))) sortColumn_ = column;
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
