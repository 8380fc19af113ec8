// mnuExportieren: the selected registration's key, written by the registry editor into a
// registration file the user names.
#include <optional>
#include <string>

#include "commands/Commands.h"
#include "commands/ExportPlan.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "ui/Root.h"
#include "ui/Texts.h"

namespace {

// OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_LONGNAMES
constexpr DWORD kSaveDialogFlags = 0x20080E;

std::wstring TemporaryExportFile() {
  const std::wstring folder = ProgramFolder();
  // Without the program's folder "\Export.reg" would name a file at the root of the current
  // drive.
  if (folder.empty()) return {};
  return folder + L"\\" + Texts::kExportFileName;
}

// A file left by an earlier export must never pass for this one's.
bool RemoveEarlierExport(const std::wstring& file) {
  return DeleteFileW(file.c_str()) != FALSE || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool ExportKeyInto(Root& root, const std::wstring& file, const std::wstring& entryName) {
  // A registration removed since the list was filled has nothing to export, whatever the
  // registry editor would write for it.
  if (!Registry::KeyExists(HKEY_LOCAL_MACHINE, Registry::kAppPathsPrefix + entryName))
    return false;
  if (file.empty() || !RemoveEarlierExport(file)) return false;
  return root.StartRegistryExport(file, ExportKeyPath(entryName));
}

FileDialogRequest SaveDialogFor(const std::wstring& proposal) {
  FileDialogRequest request;
  request.title = Texts::kExportTitle;
  request.filter = Texts::kExportFilter;
  request.fileName = proposal;
  request.flags = kSaveDialogFlags;
  return request;
}

// The shared dialog keeps the name it last held, the proposal when the user cancels.
std::optional<std::wstring> AskForTarget(Root& root, const std::wstring& entryName) {
  const std::wstring proposal = ExportProposal(entryName);
  root.Dialog1FileName() = proposal;
  std::optional<std::wstring> chosen = root.Ask().SaveFile(root.Handle(), SaveDialogFor(proposal));
  if (!chosen || chosen->empty()) return std::nullopt;
  root.Dialog1FileName() = *chosen;
  return chosen;
}

std::wstring Title(Root& root) { return L" " + root.Caption(); }

void ReportFailedExport(Root& root, const std::wstring& entryName) {
  root.Ask().Message(root.Handle(),
                     std::wstring(Texts::kExportFailed) + L"\n" + ExportKeyPath(entryName),
                     Title(root), MB_OK | MB_ICONSTOP);
}

void ReportFailedCopy(Root& root, const std::wstring& target, DWORD error) {
  root.Ask().Message(root.Handle(),
                     std::wstring(Texts::kExportCopyFailed) + L"\n" + target + L"\n" +
                         SystemMessage(error),
                     Title(root), MB_OK | MB_ICONSTOP);
}

}  // namespace

// The registry editor writes the file; StartRegistryExport waits for it and trusts the file
// only when this export wrote it, so the copy never hands on a half-written or stale file.
void ExportEntry(Root& root) {
  ListView& list = root.LstFileList();
  const int selected = list.SelectedIndex();
  if (selected < 0) return;
  const std::wstring entryName = list.Text(selected);
  const std::wstring temporary = TemporaryExportFile();
  if (!ExportKeyInto(root, temporary, entryName)) {
    ReportFailedExport(root, entryName);
    return;
  }
  const std::optional<std::wstring> target = AskForTarget(root, entryName);
  if (!target) return;
  if (!CopyFileW(temporary.c_str(), target->c_str(), FALSE))
    ReportFailedCopy(root, *target, GetLastError());
}
