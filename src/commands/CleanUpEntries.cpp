// "Fehlerhafte Einträge bereinigen ...": the broken registrations in one step, with a way back.
// The chosen keys are judged again and written whole to an undo file beside AppBackup.reg,
// which is read back and checked before the first key goes; those no longer broken as listed,
// or that no registration file restores, stay and are named.
#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "catalogue/CleanUpSelection.h"
#include "catalogue/Cleanup.h"
#include "catalogue/Scan.h"
#include "catalogue/UndoFile.h"
#include "commands/Commands.h"
#include "commands/RecordedChange.h"
#include "commands/UndoPath.h"
#include "platform/ControlPictures.h"
#include "platform/Others.h"
#include "texts/Texts.h"

namespace {

std::wstring StatusText(const CleanUpCandidate& candidate) {
  if (candidate.kept == KeptBecause::ProtectedName) return Texts::kCleanUpProtected;
  if (candidate.kept == KeptBecause::ReadOnlyScope) return Texts::kCleanUpReadOnly;
  return candidate.entry->Status == EntryStatus::Broken ? Texts::kLegendBroken
                                                        : Texts::kLegendNotFound;
}

std::vector<CleanUpRow> RowsOf(const std::vector<CleanUpCandidate>& candidates) {
  std::vector<CleanUpRow> rows;
  for (const CleanUpCandidate& candidate : candidates)
    rows.push_back({Texts::ScopeCaption(candidate.entry->Scope == Scope::Machine),
                    candidate.entry->FileName, StatusText(candidate),
                    candidate.entry->Installation, candidate.removable()});
  return rows;
}

void Tell(CommandHost& host, const std::wstring& text, UINT icon) {
  host.Tell(text, MB_OK | icon);
}

std::wstring StepText(CleanUpStep step) {
  switch (step) {
    case CleanUpStep::InvalidName:
    case CleanUpStep::ProtectedName:
      return Texts::kCleanUpStepName;
    case CleanUpStep::Read:
      return Texts::kCleanUpStepRead;
    case CleanUpStep::UndoFile:
      return Texts::kCleanUpStepUndo;
    case CleanUpStep::Delete:
    case CleanUpStep::None:
      break;
  }
  return Texts::kCleanUpStepDelete;
}

void ReportFailure(CommandHost& host, const CleanUpResult& result, const std::wstring& undoPath) {
  const bool undo = result.failedStep == CleanUpStep::UndoFile;
  std::wstring text = result.failedStep == CleanUpStep::Delete ? Texts::kCleanUpDeleteFailed
                                                               : Texts::kCleanUpFailed;
  text += L"\n" + StepText(result.failedStep) + L"\n" + (undo ? undoPath : WithControlPictures(result.failedKey.keyName));
  const DWORD code = undo ? result.undoFile.error : result.error;
  if (code != ERROR_SUCCESS) text += L"\n" + SystemMessage(code);
  Tell(host, text, MB_ICONERROR);
}

// The rows of removed keys go; the panel shows the row selected then.
void ForgetRemoved(CommandHost& host, const std::vector<RemovedKey>& removed) {
  for (const RemovedKey& key : removed) {
    if (const AppPathEntry* entry = host.Entries().FindByKey(ScopeOfRoot(key.root), key.keyName))
      host.Forget(entry->Id);
  }
  host.SelectFirstRowWhenNoneIs();
  host.LoadSelectedRow();
}

// "Tool.exe (Computer): behalten: inzwischen geändert", one a line.
std::wstring KeptLines(const std::vector<KeptKey>& kept) {
  std::wstring lines;
  for (const KeptKey& key : kept)
    lines += L"\n" + FileNameFromKeyName(key.keyName) + L" (" +
             Texts::ScopeCaption(ScopeOfRoot(key.root) == Scope::Machine) + L"): " +
             Texts::KeptReason(key.why, key.obstacleKey, key.obstacleValue);
  return lines;
}

std::wstring DoneText(const CleanUpResult& result, const std::wstring& undoPath) {
  std::wstring text = result.removed.empty()
                          ? std::wstring(Texts::kCleanUpNoneRemoved)
                          : std::to_wstring(result.removed.size()) + Texts::kCleanUpDone + L"\n" +
                                undoPath;
  if (!result.kept.empty()) text += L"\n" + KeptLines(result.kept);
  return text;
}

std::vector<RecordedKey> RecordedKeysOf(const std::vector<CleanUpKey>& keys) {
  std::vector<RecordedKey> recorded;
  for (const CleanUpKey& key : keys) recorded.push_back({ScopeOfRoot(key.root), key.keyName});
  return recorded;
}

}  // namespace

void CleanUpEntries(CommandHost& host) {
  if (host.PendingChecks() > 0) {
    Tell(host, Texts::kCleanUpStillChecking, MB_ICONINFORMATION);
    return;
  }
  const std::vector<CleanUpCandidate> candidates =
      BrokenEntries(host.Entries().Entries(), host.MayChange(Scope::Machine));
  if (candidates.empty()) {
    Tell(host, Texts::kCleanUpNothing, MB_ICONINFORMATION);
    return;
  }
  const std::optional<std::vector<bool>> chosen = host.Ask().AskCleanUp(host.Owner(), RowsOf(candidates));
  if (!chosen) return;
  std::vector<CleanUpKey> keys;
  for (size_t i = 0; i < candidates.size() && i < chosen->size(); ++i)
    if ((*chosen)[i] && candidates[i].removable()) keys.push_back(CleanUpKeyOf(*candidates[i].entry));
  if (keys.empty()) return;
  const std::wstring undoPath = NewUndoPath(host);
  RecordedChange change(host, JournalAction::CleanUp);
  if (!change.Before(RecordedKeysOf(keys))) return;
  // The programs are tested again, and a share that does not answer must not freeze the window.
  CleanUpResult result;
  host.RunOffTheWindowThread([&] { result = CleanUp(undoPath, keys); });
  change.Finish();
  ForgetRemoved(host, result.removed);
  if (!result.ok()) {
    ReportFailure(host, result, undoPath);
    return;
  }
  Tell(host, DoneText(result, undoPath), MB_ICONINFORMATION);
  // Rows of keys that changed meanwhile show what their keys hold now.
  if (!result.kept.empty()) host.Refresh();
}
