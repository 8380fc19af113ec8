#include "cli/CleanCommand.h"

#include "catalogue/CleanUpSelection.h"
#include "catalogue/Cleanup.h"
#include "catalogue/Scan.h"
#include "cli/Arguments.h"
#include "cli/Registrations.h"
#include "cli/Report.h"
#include "platform/ControlPictures.h"
#include "platform/Dateiexistenz.h"
#include "platform/Registry.h"
#include "texts/CommandLineTexts.h"
#include "texts/Texts.h"

namespace {
std::vector<CleanUpKey> RemovableKeys(const std::vector<CleanUpCandidate>& broken) {
  std::vector<CleanUpKey> keys;
  for (const CleanUpCandidate& candidate : broken)
    if (candidate.removable()) keys.push_back(CleanUpKeyOf(*candidate.entry));
  return keys;
}

const wchar_t* UndoFileStepText(UndoFileStep step) {
  switch (step) {
    case UndoFileStep::Create:
      return Texts::kCliStepCreate;
    case UndoFileStep::Write:
      return Texts::kCliStepWrite;
    case UndoFileStep::Read:
      return Texts::kCliStepReadBack;
    default:
      return Texts::kCliStepVerify;
  }
}

const wchar_t* StepText(const CleanUpResult& result) {
  switch (result.failedStep) {
    case CleanUpStep::Read:
      return Texts::kCliStepRead;
    case CleanUpStep::UndoFile:
      return UndoFileStepText(result.undoFile.failedStep);
    case CleanUpStep::Delete:
      return Texts::kCliStepDelete;
    default:
      return Texts::kCliStepName;
  }
}

std::wstring FailureHeadline(size_t removed) {
  if (removed == 0) return Texts::kCliNothingRemovedFailure;
  return Texts::kCliStoppedAfterStart + std::to_wstring(removed) + Texts::kCliStoppedAfterEnd;
}

// Step, registration, value or file, and the system's reason, each on a line of its own.
int ReportFailure(const CleanUpResult& result, const std::wstring& undoFile) {
  OutputChannel err(STD_ERROR_HANDLE);
  err.WriteLine(FailureHeadline(result.removed.size()));
  err.WriteLine(Texts::kCliStep + std::wstring(StepText(result)));
  if (result.failedKey.root != nullptr)
    err.WriteLine(Texts::kCliEntry +
                  RemovedLine(ScopeOfRoot(result.failedKey.root), result.failedKey.keyName));
  if (result.failedStep == CleanUpStep::UndoFile)
    err.WriteLine(Texts::kCliFile + undoFile);
  err.WriteLine(Texts::kCliReason + ReasonText(result.error));
  return result.removed.empty() ? CliExit::kNothingRemoved : CliExit::kStoppedPartWay;
}

int RefuseExistingFile(const std::wstring& undoFile) {
  OutputChannel err(STD_ERROR_HANDLE);
  err.WriteLine(Texts::kCliUndoFileExists + undoFile);
  return CliExit::kNothingRemoved;
}

// Those that may not go, then those the clean-up found no longer broken as listed or could not
// write to the undo file; the exit code counts both.
int ReportDone(const CleanUpResult& result, const std::vector<CleanUpCandidate>& broken,
               const std::wstring& undoFile, OutputChannel& out) {
  size_t kept = 0;
  for (const CleanUpCandidate& candidate : broken)
    if (!candidate.removable()) {
      out.WriteLine(KeptLine(candidate.entry->Scope, candidate.entry->KeyName,
                             Texts::KeptReason(candidate.kept)));
      ++kept;
    }
  for (const KeptKey& left : result.kept)
    out.WriteLine(KeptLine(ScopeOfRoot(left.root), left.keyName,
                           Texts::KeptReason(left.why, left.obstacleKey, left.obstacleValue)));
  kept += result.kept.size();
  out.WriteLine(result.removed.empty() ? Texts::kCliNothingRemoved
                                       : Texts::CliRemovedSummary(result.removed.size(), undoFile));
  return CliExit::Count(kept);
}
}  // namespace

int Clean(const std::wstring& undoArgument, OutputChannel& out) {
  if (const std::optional<UnreadableKey> unreadable = FindUnreadableKey()) {
    ReportUnreadable(*unreadable);
    return CliExit::kUnreadableKey;
  }
  const std::wstring undoFile = AbsolutePath(undoArgument);
  // The undo file checks this too, but only when there is something to remove; a script must
  // learn of its mistake on a clean machine as well.
  if (PathExists(undoFile)) return RefuseExistingFile(undoFile);
  const Catalogue registrations = RegistrationsWithStatus();
  const bool machineWritable = Registry::MayWrite(RootOf(Scope::Machine), Registry::kAppPathsKey);
  const std::vector<CleanUpCandidate> broken =
      BrokenEntries(registrations.Entries(), machineWritable);
  const CleanUpResult result = CleanUp(undoFile, RemovableKeys(broken));
  for (const RemovedKey& removed : result.removed)
    out.WriteLine(RemovedLine(ScopeOfRoot(removed.root), removed.keyName));
  if (!result.ok()) return ReportFailure(result, undoFile);
  return ReportDone(result, broken, undoFile, out);
}
