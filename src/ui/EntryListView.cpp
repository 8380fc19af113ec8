#include "ui/EntryListView.h"

#include <iterator>
#include <unordered_map>
#include <vector>

#include "catalogue/CacheLine.h"
#include "platform/ControlPictures.h"
#include "texts/Texts.h"
#include "ui/WindowSettings.h"
#include "ui/controls/StatusImages.h"

namespace {

struct ColumnDesign {
  const wchar_t* header;
  int width;  // pixels at 96 DPI
};
constexpr ColumnDesign kColumns[] = {{Texts::kHeaderDateiname, 120},
                                     {Texts::kHeaderKeyname, 0},
                                     {Texts::kHeaderInstallation, 195},
                                     {Texts::kHeaderVerzeichnis, 150},
                                     {Texts::kHeaderBereich, 75}};
// The Keyname column is shown last, so even a sliver of it never sits between the others.
constexpr int kColumnOrder[] = {0, 2, 3, 4, 1};

// The user's collation with letter case ignored; an ordinal comparison when the locale refuses,
// so the order stays total.
int CompareCellTexts(const std::wstring& a, const std::wstring& b) {
  const int r = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.c_str(),
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
};

// Ties keep their previous order, so sorting again never shuffles rows with equal texts.
int CALLBACK CompareRows(LPARAM id1, LPARAM id2, LPARAM context) {
  const auto& keys = reinterpret_cast<const SortKeys*>(context)->byId;
  const auto a = keys.find(id1);
  const auto b = keys.find(id2);
  if (a == keys.end() || b == keys.end()) return 0;
  const int byText = CompareCellTexts(a->second.text, b->second.text);
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

// Info tips show a row's cut-off cells whole; the columns can be dragged into another order.
void EntryListView::SetUp(UINT dpi) {
  list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP |
                         LVS_EX_INFOTIP | LVS_EX_HEADERDRAGDROP);
  if (list_.ColumnCount() == 0)
    for (const ColumnDesign& column : kColumns)
      list_.AddColumn(column.header, MulDiv(column.width, static_cast<int>(dpi), 96));
  HideKeynameColumn();
}

// ImageList1 serves the list's icons and small icons alike.
void EntryListView::SetImages(HIMAGELIST images) {
  list_.SetImageList(images, LVSIL_SMALL);
  list_.SetImageList(images, LVSIL_NORMAL);
}

// The columns keep the widths the user gave them, scaled.
void EntryListView::ScaleColumns(UINT oldDpi, UINT newDpi) {
  for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column)
    list_.SetColumnWidth(column, MulDiv(list_.ColumnWidth(column), static_cast<int>(newDpi),
                                        static_cast<int>(oldDpi)));
}

void EntryListView::HideKeynameColumn() {
  list_.SetColumnWidth(kColumnKeyname, 0);
  ApplyColumnOrder(list_.ColumnOrder());
}

// ---- Column widths and order ----

std::vector<int> EntryListView::ColumnWidths() const {
  std::vector<int> widths;
  for (int column = 0; column < list_.ColumnCount(); ++column)
    widths.push_back(list_.ColumnWidth(column));
  return widths;
}

void EntryListView::SetColumnWidths(const std::vector<int>& widths) {
  for (size_t column = 0; column < widths.size(); ++column)
    list_.SetColumnWidth(static_cast<int>(column), widths[column]);
}

std::vector<int> EntryListView::DesignColumnWidths(UINT dpi) const {
  std::vector<int> widths = ColumnWidths();
  for (int& width : widths) width = MulDiv(width, 96, static_cast<int>(dpi));
  return widths;
}

void EntryListView::SetDesignColumnWidths(const std::vector<int>& widths, UINT dpi) {
  if (widths.size() != std::size(kColumns)) return;
  for (size_t column = 0; column < widths.size(); ++column)
    if (static_cast<int>(column) != kColumnKeyname)
      list_.SetColumnWidth(static_cast<int>(column), MulDiv(widths[column], static_cast<int>(dpi), 96));
}

void EntryListView::FitColumns(int before, int after) {
  if (before > 0 && after > 0 && after != before)
    SetColumnWidths(ScaledWidths(ColumnWidths(), before, after));
}

std::vector<int> EntryListView::ColumnOrder() const {
  return WithColumnLast(list_.ColumnOrder(), kColumnKeyname);
}

void EntryListView::ApplyColumnOrder(std::vector<int> order) {
  if (!IsColumnOrder(order) || order.size() != std::size(kColumnOrder))
    order.assign(std::begin(kColumnOrder), std::end(kColumnOrder));
  order = WithColumnLast(std::move(order), kColumnKeyname);
  list_.SetColumnOrder(order.data(), static_cast<int>(order.size()));
}

// ---- Notifications ----

// A header click sorts, a row that gains the selection is announced (whether by arrow key, page
// key, click or a command), and the Keyname column's divider can be neither dragged nor
// double-clicked.
std::optional<LRESULT> EntryListView::OnNotify(const NMHDR& header) {
  if (header.hwndFrom == list_.Header()) {
    if (!WidensColumn(header.code)) return std::nullopt;
    return reinterpret_cast<const NMHEADERW&>(header).iItem == kColumnKeyname ? TRUE : FALSE;
  }
  if (header.hwndFrom != list_.Handle()) return std::nullopt;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      // The list hands over its own buffer for the answer.
      return OnGetDispInfo(const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)));
    case LVN_ITEMCHANGED:
      if (GainsSelection(reinterpret_cast<const NMLISTVIEW&>(header))) Raise(events_.rowSelected);
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
  const AppPathEntry* entry = EntryOf(static_cast<EntryId>(info.item.lParam));
  if ((info.item.mask & LVIF_IMAGE) != 0)
    info.item.iImage = entry != nullptr ? StatusImageIndex(ImageKeyOf(entry->Status)) : I_IMAGENONE;
  if ((info.item.mask & LVIF_TEXT) != 0 && info.item.pszText != nullptr &&
      info.item.cchTextMax > 0) {
    const std::wstring text = entry != nullptr ? CellText(*entry, info.item.iSubItem) : L"";
    lstrcpynW(info.item.pszText, text.c_str(), info.item.cchTextMax);
  }
  return 0;
}

// The tip names each cell of the row its column cuts off, with the column's header; a row whose
// cells all fit has none.
void EntryListView::FillInfoTip(NMLVGETINFOTIPW& tip) const {
  if (tip.pszText == nullptr || tip.cchTextMax <= 0) return;
  std::wstring text;
  if (const AppPathEntry* entry = EntryOf(IdAt(tip.iItem)))
    for (const int column : list_.ColumnOrder()) {
      const std::wstring cell = CellText(*entry, column);
      if (list_.ColumnWidth(column) <= 0 || cell.empty() || !CutsOff(column, cell)) continue;
      if (!text.empty()) text += L"\n";
      text += std::wstring(kColumns[column].header) + L": " + cell;
    }
  lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
}

// The list leaves a few pixels on either side of a cell's text, and the first column's picture.
bool EntryListView::CutsOff(int column, const std::wstring& text) const {
  constexpr int kCellMargins = 12;
  int needed = list_.StringWidth(text) + kCellMargins;
  if (column == kColumnFileName) needed += GetSystemMetrics(SM_CXSMICON) + kCellMargins / 2;
  return needed > list_.ColumnWidth(column);
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
      list_.InsertCallbackRow(list_.Count(), static_cast<LPARAM>(entry.Id));
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
    if (CompareCellTexts(entry != nullptr ? CellText(*entry, *sortColumn_) : L"", text) <= 0)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

void EntryListView::Show(EntryId id) {
  const AppPathEntry* entry = catalogue_.Find(id);
  if (entry == nullptr) return;
  if (RowOf(id) < 0) InsertRow(id, entry->FileName);
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
    keys.byId[list_.IdOf(row)] = {entry != nullptr ? CellText(*entry, column) : L"", row};
  }
  if (list_.SortItems(&CompareRows, reinterpret_cast<LPARAM>(&keys))) sortColumn_ = column;
}
