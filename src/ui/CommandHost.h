#pragma once
// The window as the commands see it: the person to ask, the entries, the selected one, what the
// editor panel holds, and the few changes a command makes to what is shown. Nothing here
// reaches a control: a command decides, the window shows.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/ChangeJournal.h"
#include "ui/CommandStates.h"
#include "ui/PanelState.h"
#include "ui/Prompts.h"

class CommandHost {
 public:
  // Receives every command but Bearbeiten, which the window handles itself.
  virtual void SetCommandHandler(std::function<void(Command)> handler) = 0;

  // ---- Asking the user ----
  virtual Prompts& Ask() = 0;
  virtual HWND Owner() const = 0;
  // The title of the window's message boxes: a blank and the program's name.
  static std::wstring Title();
  // A message box over the window, titled with `title`; the button pressed.
  int Tell(const std::wstring& text, UINT flags, const std::wstring& title = Title()) {
    return Ask().Message(Owner(), text, title, flags);
  }

  // ---- The entries ----
  virtual const Catalogue& Entries() const = 0;
  // The entry of the selected row; nothing for a draft's row or none.
  virtual const AppPathEntry* SelectedEntry() const = 0;
  // The draft whose row is selected; 0 for none.
  virtual EntryId SelectedDraft() const = 0;
  // False when the scope's App Paths key may not be written (the machine's without rights).
  virtual bool MayChange(Scope scope) const = 0;
  // Existence tests and readings of the registry not yet done.
  virtual size_t PendingChecks() const = 0;

  // ---- The editor panel ----
  virtual const PanelSource& PanelLoaded() const = 0;
  virtual PanelTexts PanelBoxes() const = 0;
  virtual PanelMode Mode() const = 0;
  virtual TypedText PanelInstallation() const = 0;
  virtual TypedText PanelDirectory() const = 0;
  // Before the panel shows another entry: true when nothing typed is lost, after asking
  // "Änderungen an <Name> speichern?" (Ja saves, Nein drops, Abbrechen: false). A new entry
  // nobody saved goes with its row.
  virtual bool LeavePanel() = 0;
  // A draft row selected and shown, its name ready to be typed over.
  virtual void StartNewEntry() = 0;
  // The file name box emptied and editable for the rename dialog's answer; what it held.
  virtual std::wstring StartRename() = 0;
  virtual void SetFileName(const std::wstring& name) = 0;
  // The file name box read-only again: what it holds is a name as stored.
  virtual void EndTyping() = 0;
  virtual void ClearPanel() = 0;
  virtual void FocusFileName() = 0;
  virtual void FocusList() = 0;

  // ---- What is shown ----
  // Reads `keyName` of that scope from the registry again and shows what it holds now: its row
  // is updated, or added, and selected. Returns its id; 0 when the key cannot be read.
  virtual EntryId Reload(Scope scope, const std::wstring& keyName) = 0;
  // The entry (or draft) is gone: row, cache line and entry go. With `selectNeighbour` the row
  // before it takes the selection (the one after it when it was the first).
  virtual void Forget(EntryId id, bool selectNeighbour = false) = 0;
  // Selects the entry's row (0: none), scrolled into view with `reveal`.
  virtual void Select(EntryId id, bool reveal) = 0;
  virtual void SelectFirstRowWhenNoneIs() = 0;
  // Copies the selected row's entry into the editor panel; the file name box becomes read-only.
  virtual void LoadSelectedRow() = 0;
  // Reads both App Paths keys again (off the window's thread); the rows follow.
  virtual void Refresh() = 0;

  // ---- Files and the registry editor ----
  // Has the registry editor export `key` with its sub-keys into `file` and waits for it, the
  // window disabled meanwhile. True only when the file was written by this export.
  virtual bool StartRegistryExport(const std::wstring& file, const std::wstring& key) = 0;
  // Runs `work` on a worker thread and returns when it is done, the window disabled meanwhile
  // (it still paints, closing waits): for work that may wait on the file system. An exception
  // of `work` is thrown here again.
  virtual void RunOffTheWindowThread(const std::function<void()>& work) = 0;
  // The journal of changes "Rückgängig" takes back, read from its file on first use. Its file
  // is written, and the registry read, only inside RunOffTheWindowThread.
  virtual ChangeJournal& Changes() = 0;
  // Where the start-up backup of the machine's key goes.
  virtual std::wstring BackupPath() const = 0;
  // The previous backups the start-up's question compared with the registry.
  virtual std::vector<std::wstring> PreviousBackups() const = 0;
  // The shared file dialog's last file name (browse and export both set it).
  virtual std::wstring& Dialog1FileName() = 0;

 protected:
  ~CommandHost() = default;
};
