// mnuExportieren: the selected registration's key, written by the registry editor into a
// registration file the user names.
#include <optional>
#include <string>

#include "catalogue/AppPathEntry.h"
#include "catalogue/Scan.h"
#include "commands/Commands.h"
#include "commands/ExportPlan.h"
#include "commands/NulNameGuard.h"
#include "platform/ControlPictures.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "ui/FileDialogFlags.h"
#include "texts/Texts.h"

namespace {

// A folder of this export's own in the temp folder: no other export (of another instance, say)
// can write the file this one copies. Removed with its file when the export ends.
class TemporaryExport {
 public:
  TemporaryExport() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return;
    for (unsigned attempt = 0; attempt < 100 && folder_.empty(); ++attempt) {
      const std::wstring candidate = std::wstring(temp) + L"Velmarin-" +
                                     std::to_wstring(GetCurrentProcessId()) + L"-" +
                                     std::to_wstring(GetTickCount64()) + L"-" +
                                     std::to_wstring(attempt);
      if (CreateDirectoryW(candidate.c_str(), nullptr)) folder_ = candidate;
    }
  }
  ~TemporaryExport() {
    if (folder_.empty()) return;
    DeleteFileW(File().c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  TemporaryExport(const TemporaryExport&) = delete;
  TemporaryExport& operator=(const TemporaryExport&) = delete;

  // Empty when no folder could be made.
  std::wstring File() const {
    return folder_.empty() ? std::wstring() : folder_ + L"\\" + Texts::kExportFileName;
  }

 private:
  std::wstring folder_;
};

bool ExportKeyInto(CommandHost& host, const std::wstring& file, const AppPathEntry& entry) {
  // A registration removed since the list was filled has nothing to export, whatever the
  // registry editor would write for it.
  if (!Registry::KeyExists(RootOf(entry.Scope), EntryKeyPath(entry.KeyName))) return false;
  if (file.empty()) return false;
  return host.StartRegistryExport(file, AppPathsKeyName(entry.Scope, entry.KeyName));
}

FileDialogRequest SaveDialogFor(const std::wstring& proposal) {
  FileDialogRequest request;
  request.title = Texts::kExportTitle;
  request.filter = Texts::kExportFilter;
  request.fileName = proposal;
  request.flags = kExportDialogFlags;
  return request;
}

// The shared dialog keeps the name it last held, the proposal when the user cancels.
std::optional<std::wstring> AskForTarget(CommandHost& host, const std::wstring& entryName) {
  const std::wstring proposal = ExportProposal(entryName);
  host.Dialog1FileName() = proposal;
  std::optional<std::wstring> chosen = host.Ask().SaveFile(host.Owner(), SaveDialogFor(proposal));
  if (!chosen || chosen->empty()) return std::nullopt;
  host.Dialog1FileName() = *chosen;
  return chosen;
}

void ReportFailedExport(CommandHost& host, const AppPathEntry& entry) {
  host.Tell(std::wstring(Texts::kExportFailed) + L"\n" +
                         WithControlPictures(AppPathsKeyName(entry.Scope, entry.KeyName)), MB_OK | MB_ICONSTOP);
}

void ReportFailedCopy(CommandHost& host, const std::wstring& target, DWORD error) {
  host.Tell(std::wstring(Texts::kExportCopyFailed) + L"\n" + target + L"\n" +
                         SystemMessage(error), MB_OK | MB_ICONSTOP);
}

}  // namespace

// The registry editor writes the file; StartRegistryExport waits for it and trusts the file
// only when this export wrote it, so the copy never hands on a half-written or stale file.
void ExportEntry(CommandHost& host) {
  const AppPathEntry* found = host.SelectedEntry();
  if (found == nullptr) return;
  const AppPathEntry entry = *found;
  if (RefusedForNul(host, entry.KeyName)) return;
  const TemporaryExport temporary;
  if (!ExportKeyInto(host, temporary.File(), entry)) {
    ReportFailedExport(host, entry);
    return;
  }
  const std::optional<std::wstring> target = AskForTarget(host, entry.FileName);
  if (!target) return;
  if (!CopyFileW(temporary.File().c_str(), target->c_str(), FALSE))
    ReportFailedCopy(host, *target, GetLastError());
}
