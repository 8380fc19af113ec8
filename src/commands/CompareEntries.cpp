// "Vergleichen mit ..." and the start-up's offer to show what changed since the previous backup:
// the differences in a dialog, and the checked removed or changed registrations written back as
// the file holds them, after an undo file of what they replace was written and read back (the
// clean-up's rules and folder). Reading, comparing and writing wait on the file system and the
// registry, so they run off the window's thread; the rows follow afterwards.
#include "commands/CompareEntries.h"

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/Comparison.h"
#include "catalogue/KeyNameRules.h"
#include "catalogue/Restore.h"
#include "commands/RecordedChange.h"
#include "commands/UndoPath.h"
#include "platform/ControlPictures.h"
#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "texts/CommandLineTexts.h"
#include "texts/CompareTexts.h"
#include "texts/Texts.h"
#include "ui/FileDialogFlags.h"

namespace {

struct FileComparison {
  std::wstring file;  // the files compared, or the one that failed
  Comparison comparison;
};

// The scopes one file holds join those read before (each backup holds one scope).
void Include(Comparison& all, Comparison&& one) {
  for (const Scope scope : {Scope::Machine, Scope::User}) {
    if (!one.file.Of(scope)) continue;
    all.file.Of(scope) = std::move(one.file.Of(scope));
    all.now.Of(scope) = std::move(one.now.Of(scope));
  }
  all.differences.insert(all.differences.end(), one.differences.begin(), one.differences.end());
}

// A backup that is not there is none to compare with; any other failure ends the comparison.
FileComparison CompareFiles(const std::vector<std::wstring>& files, bool backups) {
  FileComparison all;
  for (const std::wstring& file : files) {
    Comparison one = CompareWithFile(file);
    if (backups && one.failedStep == ComparisonStep::ReadFile && one.error == ERROR_FILE_NOT_FOUND)
      continue;
    if (!one.ok()) return {file, std::move(one)};
    all.file += (all.file.empty() ? L"" : L"; ") + file;
    Include(all.comparison, std::move(one));
  }
  return all;
}

std::wstring FailureText(const FileComparison& failed) {
  const Comparison& comparison = failed.comparison;
  switch (comparison.failedStep) {
    case ComparisonStep::ReadFile:
      return std::wstring(Texts::kCompareFileUnreadable) + L"\n" + failed.file + L"\n" +
             SystemMessage(comparison.error);
    case ComparisonStep::RefuseFile:
      return std::wstring(Texts::kCompareFileRefused) + L"\n" + failed.file + L"\n" +
             Texts::FileLine(comparison.line) + Texts::RegFileProblem(comparison.problem);
    default:
      return std::wstring(Texts::kCompareKeyUnreadable) + L"\n" +
             WithControlPictures(comparison.keyPath) + L"\n" + SystemMessage(comparison.error);
  }
}

RowOffer OfferOf(const Difference& difference, bool machineWritable) {
  if (difference.change == Change::Added) return RowOffer::None;
  if (IsProtectedName(difference.keyName)) return RowOffer::Refused;
  if (difference.scope == Scope::Machine && !machineWritable) return RowOffer::Refused;
  return RowOffer::Restorable;
}

std::vector<DifferenceRow> RowsOf(const std::vector<Difference>& differences, bool machineWritable) {
  std::vector<DifferenceRow> rows;
  for (const Difference& difference : differences) {
    const RowOffer offer = OfferOf(difference, machineWritable);
    std::wstring change = Texts::ChangeCaption(difference.change);
    if (offer == RowOffer::Refused)
      change += IsProtectedName(difference.keyName) ? Texts::kCompareProtected
                                                    : Texts::kCompareReadOnly;
    rows.push_back({Texts::ScopeCaption(difference.scope == Scope::Machine),
                    WithControlPictures(difference.keyName), std::move(change),
                    Texts::ChangedPartsCaption(difference.parts), offer});
  }
  return rows;
}

std::wstring KeyCaption(const RestoreKey& key) {
  return WithControlPictures(key.keyName) + L" (" +
         Texts::ScopeCaption(key.scope == Scope::Machine) + L")";
}

std::wstring StepText(RestoreStep step) {
  switch (step) {
    case RestoreStep::NotInFile:
      return Texts::kRestoreStepMissing;
    case RestoreStep::Read:
      return Texts::kRestoreStepRead;
    case RestoreStep::UndoFile:
      return Texts::kRestoreStepUndo;
    case RestoreStep::Write:
      return Texts::kRestoreStepWrite;
    default:
      return Texts::kRestoreStepName;
  }
}

std::wstring RestoreFailureText(const RestoreResult& result, const std::wstring& undoPath) {
  const bool undo = result.failedStep == RestoreStep::UndoFile;
  const bool writing = result.failedStep == RestoreStep::Write;
  std::wstring text = writing ? Texts::kRestoreWriteFailed : Texts::kRestoreFailed;
  text += L"\n" + StepText(result.failedStep) + L"\n" +
          (undo ? undoPath : KeyCaption(result.failedKey));
  const DWORD code = undo ? result.undoFile.error : result.error;
  if (code != ERROR_SUCCESS) text += L"\n" + SystemMessage(code);
  if (!result.notPutBack.empty()) {
    text += L"\n\n" + std::wstring(Texts::kRestoreNotPutBack);
    for (const RestoreKey& key : result.notPutBack) text += L"\n" + KeyCaption(key);
    text += L"\n" + undoPath;
  }
  return text;
}

// Only rows offered for a restore are taken, whatever the answer says of the others.
void RestoreChosen(CommandHost& host, const Comparison& comparison,
                   const std::vector<DifferenceRow>& rows, const std::vector<bool>& chosen) {
  std::vector<RestoreKey> keys;
  for (size_t i = 0; i < rows.size() && i < chosen.size(); ++i)
    if (chosen[i] && rows[i].offer == RowOffer::Restorable)
      keys.push_back({comparison.differences[i].scope, comparison.differences[i].keyName});
  if (keys.empty()) return;
  const std::wstring undoPath = NewUndoPath(host, Texts::kRestoreUndoPrefix);
  std::vector<RecordedKey> recorded;
  for (const RestoreKey& key : keys) recorded.push_back({key.scope, key.keyName});
  RecordedChange change(host, JournalAction::Restore);
  if (!change.Before(recorded)) return;
  RestoreResult result;
  host.RunOffTheWindowThread([&] { result = Restore(comparison.file, keys, undoPath); });
  change.Finish();  // what was written, even when a later key failed, can be taken back
  if (!result.restored.empty() || result.failedStep == RestoreStep::Write) host.Refresh();
  if (!result.ok()) {
    host.Tell(RestoreFailureText(result, undoPath), MB_OK | MB_ICONERROR);
    return;
  }
  host.Tell(std::to_wstring(result.restored.size()) + Texts::kRestoreDone + L"\n" + undoPath,
            MB_OK | MB_ICONINFORMATION);
}

// The rows a restore may offer are judged as the dialog opens; Restore judges again.
void ShowDifferences(CommandHost& host, const std::vector<std::wstring>& files, bool backups) {
  FileComparison compared;
  host.RunOffTheWindowThread([&] { compared = CompareFiles(files, backups); });
  const Comparison& comparison = compared.comparison;
  if (!comparison.ok()) {
    host.Tell(FailureText(compared), MB_OK | MB_ICONERROR);
    return;
  }
  if (comparison.differences.empty()) {
    host.Tell(Texts::kCompareNoChanges, MB_OK | MB_ICONINFORMATION);
    return;
  }
  const std::vector<DifferenceRow> rows =
      RowsOf(comparison.differences, host.MayChange(Scope::Machine));
  const std::optional<std::vector<bool>> chosen =
      host.Ask().AskRestore(host.Owner(), compared.file, rows);
  if (chosen) RestoreChosen(host, comparison, rows, *chosen);
}

FileDialogRequest OpenDialogFor(CommandHost& host) {
  FileDialogRequest request;
  request.title = Texts::kCompareTitle;
  request.filter = Texts::kExportFilter;
  request.initialFolder = DirectoryPart(host.BackupPath());
  request.fileName = Texts::kBackupFileName;
  request.flags = kCompareDialogFlags;
  return request;
}

}  // namespace

void CompareEntries(CommandHost& host) {
  const std::optional<std::wstring> file = host.Ask().OpenFile(host.Owner(), OpenDialogFor(host));
  if (!file || file->empty()) return;
  host.Dialog1FileName() = *file;
  ShowDifferences(host, {*file}, false);
}

void CompareWithBackups(CommandHost& host) { ShowDifferences(host, host.PreviousBackups(), true); }
