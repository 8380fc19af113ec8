// The load handler of the main window: the catalogue into the lists, the registry backup, the
// selected row into the editor panel.
#include <memory>
#include <optional>
#include <thread>

#include "catalogue/CacheLine.h"
#include "catalogue/Resolution.h"
#include "catalogue/Scan.h"
#include "platform/Dateiexistenz.h"
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

bool Root::GetFileCaches(HKEY lhTyp, const std::wstring& lhKey) {
  std::vector<AppPathEntry> entries = ScanEntries(lhTyp, lhKey);
  // The user's own registrations stand beside the machine's: Windows reads both.
  if (lhTyp == HKEY_LOCAL_MACHINE) {
    std::vector<AppPathEntry> user = ScanEntries(HKEY_CURRENT_USER, lhKey);
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
}

// A freshly filled list shows its first row as the selected one, as the panel expects.
void Root::SelectFirstRowWhenNoneIs() {
  if (lstFileList_.Count() > 0 && lstFileList_.SelectedIndex() < 0) lstFileList_.Select(0);
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
    rewrite = prompts_.Message(hwnd_, WithAdvice(Texts::kBackupOverwriteQuestion), Title(),
                               MB_YESNO | MB_ICONWARNING) == IDYES;
  const auto backUp = [&](Scope scope, const std::wstring& path) {
    if (FileExists(path) && !rewrite) return true;
    if (StartRegistryExport(path, BackupKey(scope))) return true;
    ReportBackup(false, path);
    return false;
  };
  const bool machineWritten = backUp(Scope::Machine, machine);
  if (userKey) backUp(Scope::User, user);
  if (firstRun && machineWritten) ReportBackup(true, machine);
}

void Root::ReportBackup(bool written, const std::wstring& path) {
  const std::wstring title = Title();
  if (written)
    prompts_.Message(hwnd_, WithAdvice(Texts::kBackupWritten), title, MB_OK | MB_ICONWARNING);
  else
    prompts_.Message(hwnd_, std::wstring(Texts::kBackupFailed) + L"\n" + path, title,
                     MB_OK | MB_ICONERROR);
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
