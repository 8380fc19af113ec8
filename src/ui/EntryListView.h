#pragma once
// The entry list LstFileList and the hidden cache list LstFileCache, both showing the catalogue.
// The list holds no rows of its own: the view keeps the entries' ids in row order (a draft's for
// a new entry still to be saved) and answers for each row when it is drawn, sorting reorders the
// ids, and nothing is ever read back from either control. The list's own notifications come out
// as the typed events below. Its columns can be dragged into another order; a row's cut-off
// cells show whole in its info tip; their widths and order are what the window remembers.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "ui/EntrySearch.h"
#include "ui/controls/Controls.h"
#include "ui/controls/ListView.h"

class EntryListView {
 public:
  // Columns of LstFileList.
  static constexpr int kColumnFileName = 0;
  static constexpr int kColumnKeyname = 1;
  static constexpr int kColumnInstallation = 2;
  static constexpr int kColumnDirectory = 3;
  static constexpr int kColumnScope = 4;
  // What the program is (read off the window's thread; empty until known), each shown or
  // hidden by the user from the header's menu.
  static constexpr int kColumnCompany = 5;
  static constexpr int kColumnVersion = 6;
  static constexpr int kColumnSignature = 7;
  static constexpr int kColumnHint = 8;
  static constexpr int kFirstDetailColumn = kColumnCompany;
  static constexpr int kDetailColumns = 4;
  static bool IsDetailColumn(int column) {
    return column >= kFirstDetailColumn && column < kFirstDetailColumn + kDetailColumns;
  }
  // The optional columns shown, one bit each (as the user's setting stores them).
  static constexpr uint32_t DetailColumnBit(int column) {
    return uint32_t{1} << (column - kFirstDetailColumn);
  }

  struct Events {
    std::function<void()> rowSelected;    // a row gained the selection (key, click or command)
    std::function<void()> doubleClicked;  // a double click on the list
    std::function<void()> cacheLineDoubleClicked;
  };

  explicit EntryListView(const Catalogue& catalogue) : catalogue_(catalogue) {}
  EntryListView(const EntryListView&) = delete;
  EntryListView& operator=(const EntryListView&) = delete;

  void Attach(HWND list, HWND cache, Events events);
  // Styles and columns (widths at `dpi`); the Keyname column hidden and last.
  void SetUp(UINT dpi);
  void SetImages(HIMAGELIST images);
  void ScaleColumns(UINT oldDpi, UINT newDpi);
  // The Keyname column at width 0 and last; the user's order of the others stays.
  void HideKeynameColumn();
  // The optional columns shown (DetailColumnBit each): a hidden one has no width and cannot be
  // widened; shown again, it has the width it had.
  void ShowDetailColumns(uint32_t shown);
  uint32_t ShownDetailColumns() const { return shownDetails_; }

  // ---- Windows' own rows ----
  // With `hide`, rows whose program has a valid signature chaining to Microsoft are left out
  // (the entries, their count and the clean-up keep them); the list is filled anew.
  void HideWindowsEntries(bool hide);
  bool HidesWindowsEntries() const { return hideWindows_; }
  // The entry's details have come: its row goes when it is now hidden (a repaint shows them).
  void DetailsArrived(EntryId id);

  // ---- Column widths and order, as the window remembers them ----
  std::vector<int> ColumnWidths() const;
  // The widths at 96 DPI and back; the hidden column stays hidden.
  std::vector<int> DesignColumnWidths(UINT dpi) const;
  void SetDesignColumnWidths(const std::vector<int>& widths, UINT dpi);
  // The list grew or shrank from `before` to `after` pixels: the columns keep their proportions.
  void FitColumns(int before, int after);
  // The shown order, the Keyname column last; an order that is none of the columns' gives the
  // design's.
  std::vector<int> ColumnOrder() const;
  void ApplyColumnOrder(std::vector<int> order);

  // The list's and its header's notifications; nothing for anyone else's.
  std::optional<LRESULT> OnNotify(const NMHDR& header);
  // The cache list's double click.
  void OnCacheCommand(int code);

  ListView& LstFileList() { return list_; }
  HWND Header() const { return list_.Header(); }
  ListBox& LstFileCache() { return cache_; }
  // A cache line's text, made from its entry; empty for a line that is no entry's.
  std::wstring CacheLine(int line) const;
  EntryId CacheIdAt(int line) const {
    return line >= 0 && line < static_cast<int>(cacheIds_.size()) ? cacheIds_[static_cast<size_t>(line)] : 0;
  }

  // ---- Rows from the catalogue ----
  // One cache line per entry, in the catalogue's order; the last one selected. True when there
  // is one.
  bool GetFileCaches();
  // One row per entry, drafts kept; a sorted list sorted once at the end.
  void GetFileListe();
  // The entry's row, added when it has none; a sorted list keeps its order. Its cache line too.
  void Show(EntryId id);
  // A draft's row: in front of the last row, or where it sorts. False when the list refused it.
  bool AddDraftRow(EntryId draft);
  // The row and cache line of an entry or draft.
  void Remove(EntryId id);
  // Rows show their entries as they are now.
  void Repaint() { list_.Redraw(); }

  int Count() const { return static_cast<int>(rows_.size()); }
  EntryId IdAt(int row) const {
    return row >= 0 && row < Count() ? rows_[static_cast<size_t>(row)] : 0;
  }
  int RowOf(EntryId id) const;  // -1 when the entry has no row
  EntryId SelectedId() const { return IdAt(list_.SelectedIndex()); }
  // Selects the entry's row (none for 0); with `reveal` it is scrolled into view as well.
  bool Select(EntryId id, bool reveal);
  // Selects the row at that position (-1: none).
  bool SelectRow(int row) { return list_.Select(row); }
  // Where the keyboard opens the context menu: below the selected row, else the list's corner.
  POINT KeyboardMenuPoint() const;

  // ---- Sorting ----
  // Ascending by that column, the user's collation, letter case ignored; ties keep their order.
  // Rows added later take their sorted place.
  void SortBy(int column);
  std::optional<int> SortColumn() const { return sortColumn_; }
  // What a row shows in a column, and how two entries compare by it.
  static std::wstring CellText(const AppPathEntry& entry, int column);
  static const wchar_t* ColumnHeader(int column);
  static int Compare(const AppPathEntry& a, const AppPathEntry& b, int column);
  // An optional column's text of a program's details (none: not known yet).
  static std::wstring DetailText(const ProgramDetails* details, int column);
  // What the entry's row shows in any column, its details included.
  std::wstring RowText(const AppPathEntry& entry, int column) const;

 private:
  const AppPathEntry* EntryOf(EntryId id) const;
  // A row the list leaves out: a program signed by Microsoft while those are hidden.
  bool LeavesOut(const AppPathEntry& entry) const;
  // While rows move under the selection, the list's selection notifications announce nothing.
  class Reordering {
   public:
    explicit Reordering(EntryListView& view) : view_(view), was_(view.reordering_) {
      view_.reordering_ = true;
    }
    ~Reordering() { view_.reordering_ = was_; }
    Reordering(const Reordering&) = delete;
    Reordering& operator=(const Reordering&) = delete;

   private:
    EntryListView& view_;
    bool was_;
  };

  LRESULT OnGetDispInfo(NMLVDISPINFOW& info) const;
  LRESULT FindRow(const NMLVFINDITEMW& find) const;
  void FillInfoTip(NMLVGETINFOTIPW& tip) const;
  bool CutsOff(int column, const std::wstring& text) const;
  void SetColumnWidths(const std::vector<int>& widths);
  int SortedPositionFor(const std::wstring& text) const;
  int InsertRow(EntryId id, const std::wstring& sortText);
  int InsertRowAt(int at, EntryId id);
  void SortRows(int column);
  int CacheLineOf(EntryId id) const;

  const Catalogue& catalogue_;
  ListView list_;
  ListBox cache_;
  std::vector<EntryId> cacheIds_;  // the cache lines' entries, in the lines' order
  Events events_;
  // The entries' ids in the order the rows stand: the list holds no rows of its own
  // (LVS_OWNERDATA) and asks for each by its position.
  std::vector<EntryId> rows_;
  bool reordering_ = false;
  std::optional<int> sortColumn_;
  uint32_t shownDetails_ = 0;
  int detailWidths_[kDetailColumns] = {};  // at the current DPI, for when they are shown
  bool hideWindows_ = false;
};

// The search's view of the list: its rows' ids, and a row found by its id.
class EntryListRows : public SearchRows {
 public:
  explicit EntryListRows(const EntryListView& list) : list_(list) {}
  size_t Count() const override { return static_cast<size_t>(std::max(list_.Count(), 0)); }
  EntryId IdOfRow(size_t row) const override { return list_.IdAt(static_cast<int>(row)); }
  std::optional<size_t> RowOfId(EntryId id) const override {
    const int row = list_.RowOf(id);
    return row < 0 ? std::nullopt : std::optional<size_t>(static_cast<size_t>(row));
  }

 private:
  const EntryListView& list_;
};
