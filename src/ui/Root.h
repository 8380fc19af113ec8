#pragma once
// The main window: the legend, the entry list, the hidden cache list, the editor panel, the
// broken-entry count, the command menu and the 200 ms timer; its start-up fills the list and
// writes the registry backup. It can be resized and remembers its place, its size and the
// list's columns per user; it answers the keys of a dialog and the menu's shortcuts.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <unordered_set>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "platform/BackgroundChecks.h"
#include "platform/RegistryWatch.h"
#include "ui/CommandStates.h"
#include "ui/Controls.h"
#include "ui/ListView.h"
#include "ui/Prompts.h"
#include "ui/Texts.h"

// Where the editor panel's texts came from: the entry (0 for a new entry or none) and the two
// texts as they were loaded, so a save can tell what the user changed.
struct PanelSource {
  EntryId entry = 0;
  std::wstring keyName;  // the entry's key as stored; empty for a new entry
  Scope scope = Scope::Machine;  // where a save writes: the entry's key, or a new entry's
  std::wstring installation;
  std::wstring directory;
  // The two values as the key held them when they were loaded: a save compares them with what
  // the key holds then, to notice another program's change.
  std::optional<Registry::RawValue> storedInstallation;
  std::optional<Registry::RawValue> storedDirectory;
};

struct RootOptions {
  bool runStartup = true;    // fill the list, back up the registry, load the selected row
  bool show = true;          // show the window (tests keep it hidden)
  bool endsProgram = true;   // closing the window ends the message loop (tests make many)
  std::wstring backupFolder;  // where AppBackup.reg goes; empty: the program's folder
  // where AppBackupBenutzer.reg goes; empty: the user's %LOCALAPPDATA%\Velmarin
  std::wstring userBackupFolder;
};

class Root {
 public:
  // Menu items of mnuVorgänge (WM_COMMAND ids).
  static constexpr int kMnuHinzufügen = 40001;
  static constexpr int kMnuBearbeiten = 40002;
  static constexpr int kMnuUmbenennen = 40003;
  static constexpr int kMnuExportieren = 40004;
  static constexpr int kMnuAusführen = 40005;
  static constexpr int kMnuLöschen = 40006;
  static constexpr int kMnuAktualisieren = 40007;
  static constexpr int kMnuSuchen = 40008;
  static constexpr int kMnuWeitersuchen = 40009;
  static constexpr int kMnuBereinigen = 40010;

  // Control ids (none is IDOK or IDCANCEL: Enter and Escape in a box must not look like a
  // button of ours).
  static constexpr int kPicture4 = 101;
  static constexpr int kPicture1 = 102;
  static constexpr int kLabel1 = 103;
  static constexpr int kPicture2 = 104;
  static constexpr int kLabel2 = 105;
  static constexpr int kPicture3 = 106;
  static constexpr int kLabel3 = 107;
  static constexpr int kPicture5 = 108;
  static constexpr int kLabel7 = 109;
  static constexpr int kPicture6 = 112;
  static constexpr int kLabel8 = 113;
  static constexpr int kPicture7 = 114;
  static constexpr int kLabel9 = 115;
  // Pictures in the legend: one per status a row can show.
  static constexpr size_t kLegendEntries = 6;
  static constexpr int kLstFileList = 110;
  static constexpr int kLstFileCache = 111;
  static constexpr int kFrame1 = 120;
  static constexpr int kLabel4 = 121;
  static constexpr int kText1 = 122;
  static constexpr int kLabel5 = 123;
  static constexpr int kText2 = 124;
  static constexpr int kBDateiname = 125;
  static constexpr int kLabel6 = 126;
  static constexpr int kText3 = 127;
  static constexpr int kBHinzufügen = 128;
  static constexpr int kLabScope = 129;
  static constexpr int kLabFileError = 130;
  static constexpr int kLabPanelNote = 131;

  // Columns of LstFileList.
  static constexpr int kColumnFileName = 0;
  static constexpr int kColumnKeyname = 1;
  static constexpr int kColumnInstallation = 2;
  static constexpr int kColumnDirectory = 3;
  static constexpr int kColumnScope = 4;

  // The window's smallest client area at 96 DPI: the layout of RootLayout.cpp.
  static constexpr int kDesignWidth = 575;
  static constexpr int kDesignHeight = 532;
  // No WS_CLIPCHILDREN: the window must paint the background the group box leaves open.
  static constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;

  static constexpr UINT_PTR kTimer1 = 1;
  static constexpr UINT kTimer1Interval = 200;  // ms

  // Posted by Create: the start-up runs once the message loop does.
  static constexpr UINT kStartupMessage = WM_APP + 1;
  // Posted by the registry watch when either App Paths key changed.
  static constexpr UINT kRegistryChangedMessage = WM_APP + 2;
  // Posted by the background checks when existence tests have answered.
  static constexpr UINT kChecksFinishedMessage = WM_APP + 3;
  // Posted by the start-up's scan when it has read both keys (lParam: the entries).
  static constexpr UINT kScanFinishedMessage = WM_APP + 4;
  // Posted when the user chose another row while the panel holds a new entry or changed texts:
  // the question comes once the list has finished with the click or key.
  static constexpr UINT kLeaveRowMessage = WM_APP + 5;
  // The panel's OK test runs with the entries' tests under this id.
  static constexpr uint64_t kPanelCheckId = ~uint64_t{0};
  // Threads for the existence tests: a few stuck on shares leave the others going.
  static constexpr int kCheckWorkers = 4;
  // Changes that come in a burst (an installer writing many values) refresh the list once.
  static constexpr UINT_PTR kRefreshTimer = 2;
  static constexpr UINT kRefreshDelay = 300;  // ms

  // How long the start-up waits for the registry editor to write the backup.
  static constexpr double kExportTimeoutSeconds = 30.0;

  explicit Root(Prompts& prompts);
  ~Root();
  Root(const Root&) = delete;
  Root& operator=(const Root&) = delete;

  // Creates the window and its controls; posts the start-up when options.runStartup.
  bool Create(HINSTANCE instance, const RootOptions& options);
  HWND Handle() const { return hwnd_; }
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

  // Reads the registrations below lhTyp\lhKey into the catalogue and LstFileCache; true when
  // it found one.
  bool GetFileCaches(HKEY lhTyp, const std::wstring& lhKey);
  // Tests every entry's program and appends one row per entry to LstFileList; shows the count.
  void GetFileListe();
  // Copies the selected row's entry into the editor panel; Text1 becomes read-only.
  void LoadSelectedRow();

  // ---- The entries behind the rows (RootEntries.cpp) ----
  const Catalogue& Entries() const { return catalogue_; }
  // The entry a row shows; nothing for the placeholder of a new entry or no row.
  const AppPathEntry* EntryOfRow(int row) const;
  const AppPathEntry* SelectedEntry() const { return EntryOfRow(lstFileList_.SelectedIndex()); }
  const PanelSource& Panel() const { return panel_; }
  // The panel now holds a new entry still to be saved (or nothing saved).
  void PanelShowsNewEntry();
  // Reads `keyName` of that scope from the registry again and shows what it holds now: its row
  // is updated, or added, and selected. Returns its id; 0 when the key cannot be read.
  EntryId Reload(Scope scope, const std::wstring& keyName);
  // The entry is gone from the registry: row, cache line and entry go.
  void Forget(EntryId id);
  // The row of the entry, -1 when it has none.
  int RowOf(EntryId id) const { return lstFileList_.IndexOfId(static_cast<LPARAM>(id)); }
  // The broken-entry count as the entries stand now (and how many are still being checked).
  void ShowBrokenCount();
  // Existence tests that have not answered yet, the panel's included.
  size_t PendingChecks() const {
    return pending_.size() + (panelCheck_.pending ? 1 : 0) + static_cast<size_t>(scansRunning_);
  }
  // Reads both keys on a worker thread; the rows appear when it is done.
  void ReadCatalogueInBackground();
  // Reads both App Paths keys again: rows follow what they hold, the selection stays on its key,
  // and texts the user is editing in the panel stay as they are.
  void Refresh();
  // The menu's shortcuts, then the keys of a dialog (Tab, access keys, Enter, Escape); true when
  // the message was one of them. The program's message loop calls it for every message.
  bool PreTranslate(MSG& message);
  bool TranslateAccelerator(MSG& message);
  // The selected row as the commands see it, and whether a command can work on it.
  SelectedRow SelectedRowState() const;
  // "Suchen ...": asks for a pattern, then selects the next row that matches.
  void Search();
  // "Weitersuchen": the next row after the selected one (wrapping) that matches the last
  // pattern; without one, "Suchen ...".
  void SearchNext();
  // True while the panel holds texts the user may still be typing (kept across a refresh).
  bool PanelEdited() const;
  // True while the panel holds texts that differ from what its row holds: a new entry with
  // anything typed, or an entry's changed texts.
  bool PanelHasUnsavedEdits() const;
  // The panel shows a new entry, which has a row but no registration yet.
  bool ShowsNewEntry() const { return panelRow_ >= ListView::kOwnIdBase; }
  // Before the panel shows another row or the window closes: true when nothing unsaved is lost,
  // after asking "Änderungen an <Name> speichern?" (Ja saves, Nein drops, Abbrechen: false).
  // An abandoned new entry's row goes.
  bool LeavePanel();
  // Where a new entry goes: the machine's key when the program may write there, else the
  // user's.
  Scope NewEntryScope() const;
  // False when the machine's App Paths key cannot be written: its rows are then read-only.
  bool MachineWritable() const { return machineWritable_; }
  // True when commands may change this entry's key.
  bool MayChange(const AppPathEntry& entry) const {
    return entry.Scope == Scope::User || machineWritable_;
  }
  // A panel box's text with the type it has for Windows: the stored value while the box shows
  // what was loaded, else the typed text with the type a save gives it.
  struct TypedText {
    std::wstring text;
    uint32_t type;
  };
  TypedText PanelInstallation() const;
  TypedText PanelDirectory() const;
  // The load handler: catalogue, backup, selected row.
  void Startup();
  // The window is disabled while the program waits for the registry editor: it still paints,
  // but no input reaches it.
  bool Waiting() const { return hwnd_ != nullptr && !IsWindowEnabled(hwnd_); }

  // Has the registry editor export `key` with its sub-keys into `file` and waits for it, the
  // window disabled meanwhile. True only when the file was written by this export.
  bool StartRegistryExport(const std::wstring& file, const std::wstring& key);
  // Runs `work` on a worker thread and returns when it is done, the window disabled meanwhile
  // (it still paints, closing waits): for work that may wait on the file system. An exception
  // of `work` is thrown here again.
  void RunOffTheWindowThread(const std::function<void()>& work);
  // Where the start-up backup of the machine's key goes.
  std::wstring BackupPath() const;
  // Where the backup of the user's key goes: AppBackupBenutzer.reg in that user's
  // %LOCALAPPDATA%\Velmarin; nothing when that user's folder is not known.
  std::optional<std::wstring> UserBackupPath() const;

  ListView& LstFileList() { return lstFileList_; }
  ListBox& LstFileCache() { return lstFileCache_; }
  TextBox& Text1() { return text1_; }
  TextBox& Text2() { return text2_; }
  TextBox& Text3() { return text3_; }
  Button& BDateiname() { return bDateiname_; }
  Button& BHinzufügen() { return bHinzufügen_; }
  HWND LabFileError() const { return Control(kLabFileError); }
  HWND LabPanelNote() const { return Control(kLabPanelNote); }
  Prompts& Ask() { return prompts_; }
  std::wstring Caption() const { return WindowText(hwnd_); }
  // The title of every message box: a blank and the program's name.
  static std::wstring Title() { return L" " + std::wstring(Texts::kCaption); }
  // The shared file dialog's last file name (browse and export both set it).
  std::wstring& Dialog1FileName() { return dialog1FileName_; }

  // Receives every command but Bearbeiten, which the window handles itself.
  void SetCommandHandler(std::function<void(Command)> handler);
  // Runs a command; false when nobody handles it. A command that throws is reported by name
  // and ends there; the window stays usable.
  bool RunCommand(Command command);
  // Pops up mnuVorgänge at `at` (screen coordinates).
  void ShowCommandMenu(POINT at);
  HMENU CommandMenu() const { return commandMenu_; }

  // ---- Editor panel (EditorPanel.cpp) ----
  // The timer's work: BDateiname is enabled while Text1 holds a name, BHinzufügen while the
  // program Text2 names exists.
  void UpdateEditorButtons();
  // The command "Bearbeiten ...": the selected row in the panel (typed texts of that row stay),
  // the focus in the installation box with its text selected.
  void EditSelectedEntry();
  // Copies the selected line of LstFileCache into the panel (double click on the cache list).
  void LoadSelectedCacheLine();
  // The click on BDateiname: the open dialog, then the chosen program into the panel. Nothing
  // is written to the registry.
  void BrowseForProgram();

  // ---- List events (ListEvents.cpp) ----
  // Sorts the list ascending by that column (a click on its header).
  void SortByColumn(int column);
  // How often the list's context menu was asked for.
  int CommandMenuOpenings() const { return commandMenuOpenings_; }
  POINT LastCommandMenuPoint() const { return lastMenuPoint_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnListNotify(const NMHDR& header);
  LRESULT OnHeaderNotify(const NMHDR& header);
  void FillInfoTip(NMLVGETINFOTIPW& tip) const;
  void OnContextMenu(HWND source, LPARAM where);
  POINT KeyboardMenuPoint() const;
  void OnCommand(int id, int code);
  bool OnMenuCommand(int id);
  void OnNextDialogControl(WPARAM wParam, LPARAM lParam);
  LRESULT DefaultButton() const;
  void OnEscape();
  void OnSize(UINT kind);
  void OnMinMaxInfo(MINMAXINFO& info) const;
  void RestoreWindowSettings();
  void SaveWindowSettings() const;
  void ApplyColumnOrder(std::vector<int> order);
  std::vector<int> DesignColumnWidths() const;
  void SetDesignColumnWidths(const std::vector<int>& widths);
  SIZE DesignFrameSize() const;
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void RememberFocus();
  void RestoreFocus();

  bool CreateMainWindow(HINSTANCE instance);
  void CreateControls();
  void CreateFonts();
  void DestroyFonts();
  void ApplyLayout();
  int ListWidth() const;
  void SizeAndCentre();
  void SetUpEntryList();
  void CreateStatusImages();
  void CreateCommandMenu();
  void AttachWrappers();

  // Editor panel
  void AttachEventHandlers();
  static LRESULT CALLBACK Text3Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  std::wstring InitialBrowseFolder();
  void FillPanelFromChosenFile(const std::wstring& path);
  // Runs `work`; an exception is reported as a failure of `action` instead of ending the program.
  void Guarded(const std::wstring& action, const std::function<void()>& work);

  void HideKeynameColumn();
  // ---- Leaving the panel's row (PanelLeave.cpp) ----
  void OnRowChosen(int row);
  void ResolvePendingLeave();
  void SelectRowSilently(LPARAM id);
  void DiscardPanelEdits();
  void DropAbandonedNewEntry();
  void SelectFirstRowWhenNoneIs();
  void BackUpRegistry();
  void ShowWindowNow();
  void ReportBackupFailed(const std::wstring& path);
  void ReportUnexpectedError(const std::wstring& action);
  void ReloadWindowIcons();

  Prompts& prompts_;
  RootOptions options_;
  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
  UINT dpi_ = 96;
  HFONT font_ = nullptr;       // Tahoma 9 pt
  HFONT boldFont_ = nullptr;   // Tahoma 9 pt bold
  HFONT countFont_ = nullptr;  // Tahoma 8.25 pt bold
  HIMAGELIST images_ = nullptr;  // ImageList1: the list's icons and small icons, the legend
  HICON legendIcons_[kLegendEntries] = {};
  bool machineWritable_ = true;
  RegistryWatch watch_;
  HACCEL accelerators_ = nullptr;
  int commandsRunning_ = 0;  // a later refresh waits for them
  int scansRunning_ = 0;
  bool refreshAfterScan_ = false;  // a refresh was asked for while the scan read
  std::optional<SearchRequest> lastSearch_;
  std::unique_ptr<BackgroundChecks> checks_;
  std::unordered_set<EntryId> pending_;  // entries whose existence test has not answered
  struct PanelCheck {
    std::wstring text;    // the installation text last sent off
    uint32_t type = 0;
    bool pending = false;
    EntryStatus status = EntryStatus::Broken;  // its answer
  } panelCheck_;
  HMENU commandMenu_ = nullptr;
  HICON appIcon_ = nullptr;
  HICON appIconSmall_ = nullptr;

  void ShowEntryInRow(const AppPathEntry& entry);
  static std::wstring CellText(const AppPathEntry& entry, int column);
  void FillRowsAndCache();
  void CheckStatus(const AppPathEntry& entry);
  void CheckStatuses();
  void OnChecksFinished();
  void CheckPanelProgram(const TypedText& installation);
  // Says under the panel's boxes why its program cannot be told about.
  void ShowPanelNote();
  LRESULT OnGetDispInfo(NMLVDISPINFOW& info) const;
  void ShowScopeInPanel(Scope scope);
  void UpdateTwinStatus(const AppPathEntry& entry);
  void CheckMachineWritable();
  void WatchRegistry();
  void RefreshWhenIdle();
  void OnScanFinished(std::unique_ptr<std::vector<AppPathEntry>> entries);
  struct PanelEdits;
  void ReselectKey(Scope scope, const std::wstring& keyName);
  void LoadEntryIntoPanel(const AppPathEntry& entry);

  Catalogue catalogue_;
  PanelSource panel_;
  LPARAM panelRow_ = 0;        // the id of the row the panel shows; 0: none
  bool leavePending_ = false;  // kLeaveRowMessage is on its way
  bool maximizeOnShow_ = false;  // the last run ended maximised
  bool resizingForDpi_ = false;  // the columns follow the DPI, not the list's new width
  ListView lstFileList_;
  ControlSubclass text3Subclass_;
  ListBox lstFileCache_;
  TextBox text1_;
  TextBox text2_;
  TextBox text3_;
  Button bDateiname_;
  Button bHinzufügen_;
  std::wstring dialog1FileName_;
  HWND lastFocus_ = nullptr;  // the control that had the focus when the window was left

  std::function<void(Command)> commandHandler_;
  int commandMenuOpenings_ = 0;
  POINT lastMenuPoint_{};
};
