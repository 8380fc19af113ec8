// The load handler of the main window (the registry read, the backup written, the selected row
// loaded) and every later reading of the registry into the catalogue.
#include <memory>
#include <optional>
#include <thread>
#include <utility>

#include "catalogue/Scan.h"
#include "platform/Dateiexistenz.h"
#include "platform/Others.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "ui/RegistryExportCommandLine.h"
#include "ui/Root.h"
#include "texts/Texts.h"

namespace {

// The file's last write time; nothing when there is no such file.
std::optional<FILETIME> LastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
  return data.ftLastWriteTime;
}

bool WrittenSince(const std::optional<FILETIME>& before, const std::optional<FILETIME>& after) {
  if (!after) return false;
  return !before || CompareFileTime(&*before, &*after) != 0;
}

std::wstring WithAdvice(const wchar_t* message) {
  return std::wstring(message) + L"\n \n" + Texts::kBackupAdvice1 + L"\n" + Texts::kBackupAdvice2;
}

// Keeps input away from the window while it waits for another process; it still paints.
class WindowDisabled {
 public:
  explicit WindowDisabled(HWND hwnd) : hwnd_(hwnd), wasEnabled_(EnableWindow(hwnd, FALSE) == 0) {}
  ~WindowDisabled() {
    if (wasEnabled_) EnableWindow(hwnd_, TRUE);
  }
  WindowDisabled(const WindowDisabled&) = delete;
  WindowDisabled& operator=(const WindowDisabled&) = delete;

 private:
  HWND hwnd_;
  bool wasEnabled_;
};

}  // namespace

// The registry is read on a worker thread, so the window answers from the start however slow
// the registry is; the rows appear when the reading is done (during the backup, as a rule).
void Root::Startup() {
  list_.HideKeynameColumn();
  startupFill_ = true;
  ReadCatalogue();
  ShowBrokenCount();
  BackUpRegistry();
}

// The one way the registry comes into the catalogue: at the start, on F5 and after the watch.
void Root::ReadCatalogue() {
  ++scansRunning_;
  std::thread([window = hwnd_] {
    auto entries = std::make_unique<std::vector<AppPathEntry>>(ScanBothScopes());
    if (PostMessageW(window, kScanFinishedMessage, 0, reinterpret_cast<LPARAM>(entries.get())))
      entries.release();  // the window owns them now
  }).detach();
}

void Root::Refresh() {
  if (scansRunning_ > 0) return;  // a reading under way shows what it read
  ReadCatalogue();
}

// A command keeps the entries it works on: the rows are made anew only once none runs (one
// asking a question lets the messages through).
void Root::OnScanFinished(std::unique_ptr<std::vector<AppPathEntry>> entries) {
  --scansRunning_;
  if (commandsRunning_ > 0) {
    deferredScan_ = std::move(entries);
    SetTimer(hwnd_, kRefreshTimer, kRefreshDelay, nullptr);
    return;
  }
  ShowScan(std::move(*entries));
}

// Another program's change is shown once no command is in the middle of its work and the window
// does not wait for the registry editor: the timer comes again until then.
void Root::RefreshWhenIdle() {
  if (commandsRunning_ > 0 || WaitingForRegistryEditor()) return;
  KillTimer(hwnd_, kRefreshTimer);
  Guarded(Texts::kMenuAktualisieren, [this] {
    if (std::unique_ptr<std::vector<AppPathEntry>> read = std::move(deferredScan_))
      ShowScan(std::move(*read));
    else
      Refresh();
  });
}

// The rows follow what the registry holds; the selection stays on its key, and texts the user
// is typing in the panel stay as they are. The start-up's reading shows the first row instead.
void Root::ShowScan(std::vector<AppPathEntry> entries) {
  const bool startup = std::exchange(startupFill_, false);
  const AppPathEntry* selected = SelectedEntry();
  const std::optional<std::pair<Scope, std::wstring>> keep =
      selected && !startup ? std::optional(std::pair(selected->Scope, selected->KeyName))
                           : std::nullopt;
  std::optional<EditorPanel::Snapshot> edits;
  if (!startup && panel_.Edited()) edits = panel_.Take();
  for (const EntryId id : pending_) checks_->Cancel(id);
  pending_.clear();
  catalogue_.Reset(std::move(entries));
  list_.GetFileCaches();
  list_.GetFileListe();
  CheckStatuses();
  ShowBrokenCount();
  if (keep) ReselectKey(keep->first, keep->second);
  if (startup) SelectFirstRowWhenNoneIs();
  if (edits) {
    const AppPathEntry* same = catalogue_.FindByKey(edits->source.scope, edits->source.keyName);
    panel_.Restore(*edits, same != nullptr ? same->Id : 0);
  } else {
    LoadSelectedRow();
  }
  WatchRegistry();
}

void Root::ReselectKey(Scope scope, const std::wstring& keyName) {
  if (const AppPathEntry* entry = catalogue_.FindByKey(scope, keyName)) list_.Select(entry->Id, true);
}

// A freshly filled list shows its first row as the selected one, as the panel expects.
void Root::SelectFirstRowWhenNoneIs() {
  if (list_.Count() > 0 && list_.LstFileList().SelectedIndex() < 0) list_.SelectRow(0);
}

// Both keys, also the user's when it appears later: the watch starts again after each reading.
void Root::WatchRegistry() {
  if (hwnd_ == nullptr) return;
  watch_.Start({{HKEY_LOCAL_MACHINE, Registry::kAppPathsKey},
                {HKEY_CURRENT_USER, Registry::kAppPathsKey}},
               hwnd_, kRegistryChangedMessage);
}

// Asked once, when the window is made: the rows' commands then say at once what cannot be done
// instead of failing after the user's work.
void Root::CheckMachineWritable() {
  machineWritable_ = Registry::MayWrite(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  SetWindowTextChecked(hwnd_, machineWritable_
                                  ? std::wstring(Texts::kCaption)
                                  : std::wstring(Texts::kCaption) + Texts::kReadOnlySuffix);
}

std::wstring Root::BackupPath(Scope scope) const {
  const std::wstring folder = options_.backupFolder.empty() ? ProgramFolder()
                                                            : options_.backupFolder;
  return folder + L"\\" +
         (scope == Scope::Machine ? Texts::kBackupFileName : Texts::kUserBackupFileName);
}

// AppBackup.reg holds exactly the machine's key, as users restore it; the user's key (when it
// exists) goes beside it. A missing file is written, existing ones are rewritten only after one
// Yes. The window is shown (and disabled) while the registry editor writes.
void Root::BackUpRegistry() {
  const std::wstring machine = BackupPath(Scope::Machine);
  const std::wstring user = BackupPath(Scope::User);
  const bool userKey = Registry::KeyExists(HKEY_CURRENT_USER, Registry::kAppPathsKey);
  const bool firstRun = !FileExists(machine);
  bool rewrite = false;
  if (!firstRun || (userKey && FileExists(user)))
    rewrite = Tell(WithAdvice(Texts::kBackupOverwriteQuestion), MB_YESNO | MB_ICONWARNING) == IDYES;
  const auto backUp = [&](Scope scope, const std::wstring& path) {
    if (FileExists(path) && !rewrite) return true;
    if (StartRegistryExport(path, AppPathsKeyName(scope))) return true;
    ReportBackup(false, path);
    return false;
  };
  const bool machineWritten = backUp(Scope::Machine, machine);
  if (userKey) backUp(Scope::User, user);
  if (firstRun && machineWritten) ReportBackup(true, machine);
}

void Root::ReportBackup(bool written, const std::wstring& path) {
  if (written)
    Tell(WithAdvice(Texts::kBackupWritten), MB_OK | MB_ICONWARNING);
  else
    Tell(std::wstring(Texts::kBackupFailed) + L"\n" + path, MB_OK | MB_ICONERROR);
}

// The editor is the Windows folder's own, named by its full path, never looked up through the
// search path or the current folder. The start-up waits (with the window responsive) until it
// has finished, and trusts the file only when this export changed it.
bool Root::StartRegistryExport(const std::wstring& file, const std::wstring& key) {
  const std::wstring editor = RegistryEditorPath();
  const std::optional<std::wstring> commandLine = RegistryExportCommandLine(editor, file, key);
  if (!commandLine) return false;
  const std::optional<FILETIME> before = LastWriteTime(file);
  std::optional<UniqueHandle> process =
      StartProgram(editor, *commandLine, L"", SW_SHOWMINIMIZED);
  if (!process || !*process) return false;
  const WindowDisabled waiting(hwnd_);
  if (!WaitForProcess(process->get(), kExportTimeoutSeconds)) return false;
  return WrittenSince(before, LastWriteTime(file));
}
