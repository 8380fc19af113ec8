#pragma once
// The main window, the frame of the program: the legend, the entry list and the editor panel
// (each a part of its own), the broken-entry count, the command menu, the 200 ms timer, and the
// routing of messages between them. Its start-up reads the registry, writes the backup and
// loads the selected row. It can be resized and remembers its place, its size and the list's
// columns per user; it answers the keys of a dialog and the menu's shortcuts, greys what cannot
// work, and asks before typed texts go. To the commands it is the CommandHost.
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/Comparison.h"
#include "catalogue/DetailsChecks.h"
#include "platform/BackgroundChecks.h"
#include "platform/RegistryWatch.h"
#include "ui/CommandHost.h"
#include "ui/EditorPanel.h"
#include "ui/EntryListView.h"
#include "ui/EntrySearch.h"

struct RootOptions {
  bool runStartup = true;    // read the registry, back it up, load the selected row
  bool show = true;          // show the window (tests keep it hidden)
  bool endsProgram = true;   // closing the window ends the message loop (tests make many)
  std::wstring backupFolder;  // where AppBackup.reg goes; empty: the program's folder
  // where AppBackupBenutzer.reg goes; empty: the user's %LOCALAPPDATA%\Velmarin
  std::wstring userBackupFolder;
  // The journal of changes; empty: Journal.dat in the user's %LOCALAPPDATA%\Velmarin
  std::wstring journalFile;
};

class Root final : public CommandHost {
 public:
  // Items of the menu mnuVorgänge (WM_COMMAND ids).
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
  static constexpr int kMnuWindowsAusblenden = 40011;  // checked while Windows' rows are hidden
  static constexpr int kMnuImRegistrierungsEditor = 40012;
  static constexpr int kMnuImExplorer = 40013;
  // Items of the list header's menu: one per optional column, checked while it is shown
  // (kMnuSpalten + the column's index).
  static constexpr int kMnuSpalten = 40100;
  static constexpr int kMnuVergleichen = 40014;
  static constexpr int kMnuRückgängig = 40015;

  // Control ids (none is IDOK or IDCANCEL: Enter and Escape in a box must not look like a
  // button of ours).
  static constexpr int kPicture4 = 101;  // the legend bar
  static constexpr int kPicture1 = 102;
  static constexpr int kLabel1 = 103;
  static constexpr int kPicture2 = 104;
  static constexpr int kLabel2 = 105;
  static constexpr int kPicture3 = 106;
  static constexpr int kLabel3 = 107;
  static constexpr int kPictureSettings = 108;
  static constexpr int kLabelSettings = 109;
  static constexpr int kPictureHidden = 112;
  static constexpr int kLabelHidden = 113;
  static constexpr int kPictureUnreachable = 114;
  static constexpr int kLabelUnreachable = 115;
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
  static constexpr int kLabDetails = 132;

  // The window's smallest client area at 96 DPI: the layout of RootLayout.cpp.
  static constexpr int kDesignWidth = 575;
  static constexpr int kDesignHeight = 594;
  // No WS_CLIPCHILDREN: the window must paint the background the group box leaves open.
  static constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;

  static constexpr UINT_PTR kTimer1 = 1;
  static constexpr UINT kTimer1Interval = 200;  // ms
  // Changes that come in a burst (an installer writing many values) read the registry once.
  static constexpr UINT_PTR kRefreshTimer = 2;
  static constexpr UINT kRefreshDelay = 300;  // ms

  // Posted by Create: the start-up runs once the message loop does.
  static constexpr UINT kStartupMessage = WM_APP + 1;
  // Posted by the registry watch when either App Paths key changed.
  static constexpr UINT kRegistryChangedMessage = WM_APP + 2;
  // Posted by the background checks when existence tests have answered.
  static constexpr UINT kChecksFinishedMessage = WM_APP + 3;
  // Posted when a reading of both keys is done (lParam: the entries).
  static constexpr UINT kScanFinishedMessage = WM_APP + 4;
  // Posted when the user chose another row while the panel holds a new entry or changed texts:
  // the question comes once the list has finished with the click or key.
  static constexpr UINT kLeaveRowMessage = WM_APP + 5;
  // Posted by the details' workers when programs' details are ready.
  static constexpr UINT kDetailsFinishedMessage = WM_APP + 6;
  // Threads for the existence tests: a few stuck on shares leave the others going.
  static constexpr int kCheckWorkers = 4;
  // Threads of their own for the programs' details (signatures take time): the existence tests
  // and the panel's OK test never queue behind them.
  static constexpr int kDetailsWorkers = 2;
  // Details asked for at a time: a few jobs keep the workers busy, and ten thousand queued
  // requests with their copied values would leave the heap that much larger for good.
  static constexpr size_t kDetailsInFlight = 256;
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
  std::wstring Caption() const { return WindowText(hwnd_); }
  HWND LabFileError() const { return Control(kLabFileError); }
  HWND LabPanelNote() const { return Control(kLabPanelNote); }
  HWND LabDetails() const { return Control(kLabDetails); }
  EntryListView& EntryList() { return list_; }
  EditorPanel& Panel() { return panel_; }

  // Reads both App Paths keys on a worker thread; the rows follow when it is done, keeping the
  // selection and any text the user is typing in the panel.
  void ReadCatalogue();
  // True while a reading of the registry has not been shown yet.
  bool Reading() const { return scansRunning_ > 0 || deferredScan_ != nullptr; }
  // The load handler: the registry read, the backup written, the selected row loaded.
  void Startup();
  // The menu's shortcuts, then the keys of a dialog (Tab, access keys, Enter, Escape); true when
  // the message was one of them. The program's message loop calls it for every message.
  bool PreTranslate(MSG& message);
  bool TranslateAccelerator(MSG& message);
  // The selected row as the commands see it, and whether a command can work on it.
  SelectedRow SelectedRowState() const;
  // Whether the journal has a change to take back, and a command is under way.
  UndoState UndoStateNow();
  // "Suchen ...": asks for a pattern, then selects the next row that matches.
  void Search();
  // "Weitersuchen": the next row after the selected one (wrapping) that matches the last
  // pattern; without one, "Suchen ...".
  void SearchNext();
  // The broken-entry count as the entries stand now (and how many are still being checked).
  void ShowBrokenCount();

  // Runs a command; false when nobody handles it. A command that throws is reported by name
  // and ends there; the window stays usable.
  bool RunCommand(Command command);
  // How often the list's context menu was asked for, and where it opened last.
  int CommandMenuOpenings() const { return commandMenuOpenings_; }
  POINT LastCommandMenuPoint() const { return lastMenuPoint_; }
  // The list header's menu of the optional columns, and how often it was opened.
  HMENU ColumnMenu() const { return columnMenu_; }
  int ColumnMenuOpenings() const { return columnMenuOpenings_; }
  HMENU CommandMenu() const { return commandMenu_; }
  // Programs whose details have not come yet.
  size_t PendingDetails() const { return detailsPending_.size() + detailsWaiting_.size(); }

  // ---- CommandHost ----
  void SetCommandHandler(std::function<void(Command)> handler) override;
  Prompts& Ask() override { return prompts_; }
  HWND Owner() const override { return hwnd_; }
  const Catalogue& Entries() const override { return catalogue_; }
  const AppPathEntry* SelectedEntry() const override { return catalogue_.Find(list_.SelectedId()); }
  EntryId SelectedDraft() const override;
  bool MayChange(Scope scope) const override { return scope == Scope::User || machineWritable_; }
  size_t PendingChecks() const override;
  const PanelSource& PanelLoaded() const override { return panel_.Source(); }
  PanelTexts PanelBoxes() const override { return panel_.Boxes(); }
  PanelMode Mode() const override { return panel_.Mode(); }
  TypedText PanelInstallation() const override { return panel_.Installation(); }
  TypedText PanelDirectory() const override { return panel_.Directory(); }
  bool LeavePanel() override;
  void StartNewEntry() override;
  std::wstring StartRename() override { return panel_.StartRename(); }
  void SetFileName(const std::wstring& name) override { panel_.SetFileName(name); }
  void EndTyping() override { panel_.SetMode(PanelMode::View); }
  void ClearPanel() override { panel_.Clear(); }
  void FocusFileName() override { panel_.FocusFileName(); }
  void FocusList() override { SetFocus(list_.LstFileList().Handle()); }
  EntryId Reload(Scope scope, const std::wstring& keyName) override;
  void Forget(EntryId id, bool selectNeighbour = false) override;
  void Select(EntryId id, bool reveal) override { list_.Select(id, reveal); }
  void SelectFirstRowWhenNoneIs() override;
  void LoadSelectedRow() override;
  void Refresh() override;
  bool StartRegistryExport(const std::wstring& file, const std::wstring& key) override;
  void RunOffTheWindowThread(const std::function<void()>& work) override;
  std::wstring BackupPath() const override;
  std::wstring& Dialog1FileName() override { return dialog1FileName_; }
  std::vector<std::wstring> PreviousBackups() const override { return previousBackups_; }
  ChangeJournal& Changes() override;
  // Where the backup of the user's key goes: AppBackupBenutzer.reg in that user's
  // %LOCALAPPDATA%\Velmarin; nothing when that user's folder is not known.
  std::optional<std::wstring> UserBackupPath() const;

 private:
  // ---- Frame (Root.cpp) ----
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  bool OnMenuCommand(int id);
  void OnContextMenu(HWND source, LPARAM where);
  void ShowCommandMenu(POINT at);
  bool OnHeader(HWND source, LPARAM where) const;
  void ShowColumnMenu(POINT at);
  void RememberFocus();
  void RestoreFocus();
  // Runs `work`; an exception is reported as a failure of `action` instead of ending the program.
  void Guarded(const std::wstring& action, const std::function<void()>& work);
  void ReportUnexpectedError(const std::wstring& action);
  // The window is disabled while the program waits for the registry editor: it still paints,
  // but no input reaches it.
  bool WaitingForRegistryEditor() const { return hwnd_ != nullptr && !IsWindowEnabled(hwnd_); }

  // ---- Layout (RootLayout.cpp) ----
  bool CreateMainWindow(HINSTANCE instance);
  void CreateControls();
  void CreateFonts();
  void DestroyFonts();
  void ApplyLayout();
  void SizeAndCentre();
  void CreateStatusImages();
  void CreateCommandMenu();

  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void ReloadWindowIcons();

  // ---- The journal of changes (RootJournal.cpp) ----
  void LoadJournal();
  // The menu's first item names the change Strg+Z takes back ("Rückgängig" with none).
  void ShowUndoItem();

  // ---- Size and place (RootPlacement.cpp) ----
  SIZE DesignFrameSize() const;
  int ListWidth() const;
  void OnSize(UINT kind);
  void OnMinMaxInfo(MINMAXINFO& info) const;
  void RestoreWindowSettings();
  void SaveWindowSettings() const;

  // ---- The keyboard (RootKeys.cpp) ----
  void OnNextDialogControl(WPARAM wParam, LPARAM lParam);
  LRESULT DefaultButton() const;
  void OnEscape();

  // ---- Leaving the panel's row (RootLeave.cpp) ----
  bool ShowsNewEntry() const { return catalogue_.Draft(panel_.Shown()) != nullptr; }
  void OnRowChosen();
  void OnListDoubleClick();
  void ResolvePendingLeave();
  void SelectRowSilently(EntryId id);
  void DiscardPanelEdits();
  void DropAbandonedNewEntry();

  // ---- Start-up and reading the registry (RootStartup.cpp) ----
  void BackUpRegistry();
  bool AskToRewrite(const std::vector<std::wstring>& existing);
  std::optional<ChangeCounts> CountBackupChanges();
  void ReportBackupFailed(const std::wstring& path);
  void CheckMachineWritable();
  void WatchRegistry();
  void RefreshWhenIdle();
  void OnScanFinished(std::unique_ptr<std::vector<AppPathEntry>> entries);
  void ShowScan(std::vector<AppPathEntry> entries);
  void ReselectKey(Scope scope, const std::wstring& keyName);

  // ---- The entries and the panel (RootEntries.cpp) ----
  Scope NewEntryScope() const { return machineWritable_ ? Scope::Machine : Scope::User; }
  void CheckStatus(const AppPathEntry& entry);
  void CheckStatuses();
  void OnChecksFinished();
  void UpdateTwinStatus(const AppPathEntry& entry);
  void EditSelectedEntry();
  void LoadSelectedCacheLine();
  void BrowseForProgram();
  std::wstring InitialBrowseFolder() const;

  // ---- What the programs are (RootDetails.cpp) ----
  void CreateDetailsWorkers();
  void ApplyUserSettings();
  void RequestDetails(const AppPathEntry& entry);
  void RequestAllDetails();
  void FeedDetails();
  void ForgetDetails();
  void OnDetailsFinished();
  void ToggleDetailColumn(int column);
  void ToggleWindowsEntries();
  void SaveUserSetting(const wchar_t* name, uint32_t value);

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
  HICON appIcon_ = nullptr;
  HICON appIconSmall_ = nullptr;
  HMENU commandMenu_ = nullptr;
  HMENU columnMenu_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HWND lastFocus_ = nullptr;  // the control that had the focus when the window was left
  bool maximizeOnShow_ = false;  // the last run ended maximised
  bool resizingForDpi_ = false;  // the columns follow the DPI, not the list's new width
  bool leavePending_ = false;    // kLeaveRowMessage is on its way
  bool rowsRebuilding_ = false;  // a reading's rows are made: the selection follows silently

  Catalogue catalogue_;
  EntryListView list_;
  EditorPanel panel_;
  std::unique_ptr<BackgroundChecks> checks_;
  std::unordered_set<EntryId> pending_;  // entries whose existence test has not answered
  std::unique_ptr<BackgroundChecks> detailWorkers_;
  std::unique_ptr<DetailsChecks> details_;       // uses detailWorkers_: goes first
  std::unordered_set<EntryId> detailsPending_;  // entries whose details have not come
  std::deque<EntryId> detailsWaiting_;          // entries whose details are still to be asked for
  RegistryWatch watch_;
  bool machineWritable_ = true;
  int commandsRunning_ = 0;  // a reading of the registry is shown once none runs
  int scansRunning_ = 0;
  std::unique_ptr<std::vector<AppPathEntry>> deferredScan_;  // read while a command ran
  bool startupFill_ = false;  // the start-up's reading selects the first row
  bool refreshAfterScan_ = false;  // a refresh was asked for while the registry was read
  std::optional<SearchRequest> lastSearch_;
  std::wstring dialog1FileName_;
  std::vector<std::wstring> previousBackups_;  // compared by the start-up's question
  std::optional<ChangeJournal> journal_;  // read from its file on first use

  std::function<void(Command)> commandHandler_;
  int commandMenuOpenings_ = 0;
  int columnMenuOpenings_ = 0;
  POINT lastMenuPoint_{};
};
