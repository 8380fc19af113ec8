// The load handler of the main window (the registry read, the backup written, the selected row
// loaded) and every later reading of the registry into the catalogue.
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "catalogue/Comparison.h"
#include "catalogue/Scan.h"
#include "catalogue/UserScope.h"
#include "platform/Dateiexistenz.h"
#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "ui/RegistryExportCommandLine.h"
#include "ui/Root.h"
#include "texts/CompareTexts.h"
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

// The message, the files it concerns one a line, and how to restore them.
std::wstring WithAdvice(const wchar_t* message, const std::vector<std::wstring>& files) {
  std::wstring text = message;
  for (const std::wstring& file : files) text += L"\n" + file;
  return text + L"\n \n" + Texts::kBackupAdvice1 + L"\n" + Texts::kBackupAdvice2;
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
  Changes();  // the journal's file: a problem with it is said at the start
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

// A reading under way may have read the keys before this change: they are read once more when
// it is done.
void Root::Refresh() {
  if (scansRunning_ > 0) {
    refreshAfterScan_ = true;
    return;
  }
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
  Guarded(Texts::ActionOfMenu(Texts::kMenuAktualisieren), [this] {
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
  ForgetDetails();
  catalogue_.Reset(std::move(entries));
  rowsRebuilding_ = true;  // the rows are made anew: the selection follows without a question
  list_.GetFileCaches();
  list_.GetFileListe();
  CheckStatuses();
  RequestAllDetails();
  ShowBrokenCount();
  if (keep) ReselectKey(keep->first, keep->second);
  if (startup) SelectFirstRowWhenNoneIs();
  rowsRebuilding_ = false;
  if (edits) {
    const AppPathEntry* same = catalogue_.FindByKey(edits->source.scope, edits->source.keyName);
    panel_.Restore(*edits, same != nullptr ? same->Id : 0);
  } else {
    LoadSelectedRow();
  }
  if (scansRunning_ == 0 && std::exchange(refreshAfterScan_, false)) Refresh();
}

void Root::ReselectKey(Scope scope, const std::wstring& keyName) {
  if (const AppPathEntry* entry = catalogue_.FindByKey(scope, keyName)) list_.Select(entry->Id, true);
}

// A freshly filled list shows its first row as the selected one, as the panel expects.
void Root::SelectFirstRowWhenNoneIs() {
  if (list_.Count() > 0 && list_.LstFileList().SelectedIndex() < 0) list_.SelectRow(0);
}

// Both keys for the whole time the window is open; the watch follows a key that is deleted,
// created later or created again by itself.
void Root::WatchRegistry() {
  if (hwnd_ == nullptr) return;
  watch_.Start({{RootOf(Scope::Machine), Registry::kAppPathsKey},
                {RootOf(Scope::User), Registry::kAppPathsKey}},
               hwnd_, kRegistryChangedMessage);
}

// Asked once, when the window is made: the rows' commands then say at once what cannot be done
// instead of failing after the user's work. The caption also says whose the "Benutzer" rows are
// when they are not this program's user's.
void Root::CheckMachineWritable() {
  machineWritable_ = Registry::MayWrite(RootOf(Scope::Machine), Registry::kAppPathsKey);
  std::wstring caption = Texts::kCaption;
  if (!machineWritable_) caption += Texts::kReadOnlySuffix;
  if (!UserScope().owner.empty()) caption += Texts::kOtherUserSuffix + UserScope().owner;
  SetWindowTextChecked(hwnd_, caption);
}

std::wstring Root::BackupPath() const {
  const std::wstring folder = options_.backupFolder.empty() ? ProgramFolder()
                                                            : options_.backupFolder;
  return folder + L"\\" + Texts::kBackupFileName;
}

std::optional<std::wstring> Root::UserBackupPath() const {
  const std::optional<std::wstring> folder = options_.userBackupFolder.empty()
                                                 ? UserScopeDataFolder()
                                                 : options_.userBackupFolder;
  if (!folder) return std::nullopt;
  return *folder + L"\\" + Texts::kUserBackupFileName;
}

// AppBackup.reg holds exactly the machine's key, as users restore it, beside the program; the
// user's key (when it exists) goes into that user's own folder, so that the users of one copy
// never share a backup. Missing files are written, existing ones are rewritten only after one
// Yes to a question naming them. The window is shown (and disabled) while the editor writes.
void Root::BackUpRegistry() {
  struct Backup {
    Scope scope;
    std::wstring path;
    bool existed;
  };
  std::vector<Backup> backups{{Scope::Machine, BackupPath(), false}};
  if (Registry::KeyExists(RootOf(Scope::User), Registry::kAppPathsKey)) {
    if (const std::optional<std::wstring> user = UserBackupPath())
      backups.push_back({Scope::User, *user, false});
    else
      Tell(Texts::kUserBackupSkipped, MB_OK | MB_ICONWARNING);
  }
  std::vector<std::wstring> existing;
  for (Backup& backup : backups)
    if ((backup.existed = static_cast<bool>(FileExists(backup.path))))
      existing.push_back(backup.path);
  const bool rewrite = !existing.empty() && AskToRewrite(existing);
  std::vector<std::wstring> written;
  for (const Backup& backup : backups) {
    if (backup.existed && !rewrite) continue;
    // The user's own folder is made on first use; the program's folder must be there.
    if (backup.scope == Scope::User) CreateDirectoryW(DirectoryPart(backup.path).c_str(), nullptr);
    if (!StartRegistryExport(backup.path, AppPathsKeyName(backup.scope)))
      ReportBackupFailed(backup.path);
    else if (!backup.existed)
      written.push_back(backup.path);
  }
  if (!written.empty()) Tell(WithAdvice(Texts::kBackupWritten, written), MB_OK | MB_ICONWARNING);
}

// Yes rewrites the backups, No keeps them. When they differ from the registry the question says
// how many registrations changed, and Cancel shows them (a restore is possible there) before it
// is asked again.
bool Root::AskToRewrite(const std::vector<std::wstring>& existing) {
  previousBackups_ = existing;
  const std::wstring question = WithAdvice(Texts::kBackupOverwriteQuestion, existing);
  for (;;) {
    const std::optional<ChangeCounts> counts = CountBackupChanges();
    if (!counts) return Tell(question, MB_YESNO | MB_ICONWARNING) == IDYES;
    const int answer = Tell(Texts::BackupChanges(*counts) + L"\n" + question + L"\n \n" +
                                Texts::kBackupShowChangesHint,
                            MB_YESNOCANCEL | MB_ICONWARNING);
    if (answer != IDCANCEL) return answer == IDYES;
    RunCommand(Command::SicherungVergleichen);
  }
}

// Off the window's thread: the files and every registration are read. Nothing when no backup
// differs, or none could be compared (the question is then asked as it always was).
std::optional<ChangeCounts> Root::CountBackupChanges() {
  ChangeCounts counts;
  RunOffTheWindowThread([&] {
    for (const std::wstring& backup : previousBackups_) {
      const Comparison comparison = CompareWithFile(backup);
      if (!comparison.ok()) continue;
      const ChangeCounts more = CountChanges(comparison.differences);
      counts = {counts.added + more.added, counts.removed + more.removed,
                counts.changed + more.changed};
    }
  });
  if (counts.total() == 0) return std::nullopt;
  return counts;
}

void Root::ReportBackupFailed(const std::wstring& path) {
  Tell(std::wstring(Texts::kBackupFailed) + L"\n" + path, MB_OK | MB_ICONERROR);
}

// The work runs beside the window's thread, which keeps painting; the window takes no input
// meanwhile, so nothing the work relies on changes under it.
void Root::RunOffTheWindowThread(const std::function<void()>& work) {
  const UniqueHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!done) throw std::runtime_error("CreateEvent");
  std::exception_ptr failure;
  const WindowDisabled waiting(hwnd_);
  std::thread worker([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
    SetEvent(done.get());
  });
  while (!WaitForProcess(done.get(), 60.0)) {
    if (WaitForSingleObject(done.get(), 0) == WAIT_FAILED) break;
  }
  worker.join();
  if (failure) std::rethrow_exception(failure);
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
