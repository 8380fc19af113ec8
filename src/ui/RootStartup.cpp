// The load handler of the main window: the catalogue into the lists, the registry backup, the
// selected row into the editor panel.
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "catalogue/CacheLine.h"
#include "catalogue/Resolution.h"
#include "catalogue/Scan.h"
#include "catalogue/UserScope.h"
#include "platform/Dateiexistenz.h"
#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "ui/RegistryExportCommand.h"
#include "ui/Root.h"
#include "ui/Texts.h"

namespace {

// The registry editor's name of a scope's whole App Paths key.
std::wstring BackupKey(Scope scope) {
  return std::wstring(RootName(scope)) + L"\\" + Registry::kAppPathsKey;
}

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

bool Root::GetFileCaches(HKEY lhTyp, const std::wstring& lhKey) {
  std::vector<AppPathEntry> entries = ScanEntries(lhTyp, lhKey);
  // The user's own registrations stand beside the machine's: Windows reads both.
  if (lhTyp == HKEY_LOCAL_MACHINE) {
    std::vector<AppPathEntry> user = ScanEntries(RootOf(Scope::User), lhKey);
    entries.insert(entries.end(), std::make_move_iterator(user.begin()),
                   std::make_move_iterator(user.end()));
  }
  catalogue_.Reset(std::move(entries));
  lstFileCache_.Clear();
  for (const AppPathEntry& entry : catalogue_.Entries())
    lstFileCache_.Append(FormatCacheLine(entry.KeyName, entry.Installation, entry.Directory),
                         static_cast<LPARAM>(entry.Id));
  return !catalogue_.Entries().empty();
}

void Root::GetFileListe() {
  FillRowsAndCache();
  CheckStatuses();
  // Reading line by line leaves the last line the current one.
  if (const int lines = lstFileCache_.Count(); lines > 0) lstFileCache_.Select(lines - 1);
  ShowBrokenCount();
}

// The placeholder of a new entry has no entry behind it: the panel shows its texts.
void Root::LoadSelectedRow() {
  if (lstFileList_.Count() == 0) return;
  const int row = lstFileList_.SelectedIndex();
  if (row < 0) {
    text1_.SetLocked(true);
    return;
  }
  if (const AppPathEntry* entry = EntryOfRow(row)) {
    LoadEntryIntoPanel(*entry);
    return;
  }
  text1_.SetText(lstFileList_.Text(row));
  text2_.SetText(lstFileList_.Text(row, kColumnInstallation));
  text3_.SetText(lstFileList_.Text(row, kColumnDirectory));
  PanelShowsNewEntry();
}

// The registry is read on a worker thread, so the window answers from the start however slow
// the registry is; the rows appear when the scan is done (during the backup, as a rule).
void Root::Startup() {
  HideKeynameColumn();
  ReadCatalogueInBackground();
  ShowBrokenCount();
  BackUpRegistry();
}

void Root::ReadCatalogueInBackground() {
  ++scansRunning_;
  std::thread([window = hwnd_] {
    auto entries = std::make_unique<std::vector<AppPathEntry>>(ScanBothScopes());
    if (PostMessageW(window, kScanFinishedMessage, 0, reinterpret_cast<LPARAM>(entries.get())))
      entries.release();  // the window owns them now
  }).detach();
}

void Root::OnScanFinished(std::unique_ptr<std::vector<AppPathEntry>> entries) {
  --scansRunning_;
  catalogue_.Reset(std::move(*entries));
  GetFileListe();
  SelectFirstRowWhenNoneIs();
  LoadSelectedRow();
  // A change or F5 while the scan read: the keys are read once more.
  if (scansRunning_ == 0 && std::exchange(refreshAfterScan_, false)) Refresh();
}

// A freshly filled list shows its first row as the selected one, as the panel expects.
void Root::SelectFirstRowWhenNoneIs() {
  if (lstFileList_.Count() > 0 && lstFileList_.SelectedIndex() < 0) lstFileList_.Select(0);
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
      prompts_.Message(hwnd_, Texts::kUserBackupSkipped, Title(), MB_OK | MB_ICONWARNING);
  }
  std::vector<std::wstring> existing;
  for (Backup& backup : backups)
    if ((backup.existed = static_cast<bool>(FileExists(backup.path))))
      existing.push_back(backup.path);
  const bool rewrite =
      !existing.empty() &&
      prompts_.Message(hwnd_, WithAdvice(Texts::kBackupOverwriteQuestion, existing), Title(),
                       MB_YESNO | MB_ICONWARNING) == IDYES;
  std::vector<std::wstring> written;
  for (const Backup& backup : backups) {
    if (backup.existed && !rewrite) continue;
    // The user's own folder is made on first use; the program's folder must be there.
    if (backup.scope == Scope::User) CreateDirectoryW(DirectoryPart(backup.path).c_str(), nullptr);
    if (!StartRegistryExport(backup.path, BackupKey(backup.scope)))
      ReportBackupFailed(backup.path);
    else if (!backup.existed)
      written.push_back(backup.path);
  }
  if (!written.empty())
    prompts_.Message(hwnd_, WithAdvice(Texts::kBackupWritten, written), Title(),
                     MB_OK | MB_ICONWARNING);
}

void Root::ReportBackupFailed(const std::wstring& path) {
  prompts_.Message(hwnd_, std::wstring(Texts::kBackupFailed) + L"\n" + path, Title(),
                   MB_OK | MB_ICONERROR);
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
