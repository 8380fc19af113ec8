// "Rückgängig" (Strg+Z): takes back the newest change of the journal not yet taken back. It
// never writes over another program's change unasked, and the rows follow the registry after.
#include <windows.h>

#include <optional>
#include <vector>

#include "commands/Commands.h"
#include "commands/RecordedChange.h"
#include "platform/Others.h"
#include "texts/UndoTexts.h"

namespace {

// Why an undo did nothing (or nothing lasting): the lead text, then the registration and the
// system's reason where there are such.
std::wstring FailureText(const UndoResult& result) {
  const wchar_t* lead = Texts::kUndoWriteFailed;
  switch (result.outcome) {
    case UndoOutcome::ProtectedName:
      return Texts::kUndoRefusedProtected;
    case UndoOutcome::ReadOnlyScope:
      return Texts::kUndoRefusedReadOnly;
    case UndoOutcome::InvalidName:
      return Texts::kUndoRefusedName + (L"\n" + ShownKeyName(result.keyName));
    case UndoOutcome::ReadFailed:
      lead = Texts::kUndoReadFailed;
      break;
    case UndoOutcome::RollbackFailed:
      lead = Texts::kUndoRollbackFailed;
      break;
    default:
      break;
  }
  std::wstring text = lead + (L"\n" + ShownKeyName(result.keyName));
  if (result.error != ERROR_SUCCESS) text += L"\n" + SystemMessage(result.error);
  return text;
}

// Each key's row shows what the key holds now, or goes with the key; the last one that is
// there is selected and shown in the panel.
void ShowKeys(CommandHost& host, const std::vector<RecordedKey>& keys) {
  EntryId shown = 0;
  for (const RecordedKey& key : keys) {
    if (const EntryId id = host.Reload(key.scope, key.keyName)) {
      shown = id;
    } else if (const AppPathEntry* gone = host.Entries().FindByKey(key.scope, key.keyName)) {
      host.Forget(gone->Id, true);
    }
  }
  if (shown != 0) host.Select(shown, true);
  host.SelectFirstRowWhenNoneIs();
  host.EndTyping();
  host.LoadSelectedRow();
}

}  // namespace

void UndoChange(CommandHost& host) {
  ChangeJournal& journal = host.Changes();
  const JournalEntry* newest = journal.NewestUndoable();
  if (newest == nullptr) return;
  std::vector<RecordedKey> keys;
  for (const JournalKey& key : newest->keys) keys.push_back({key.scope, key.keyName});
  UndoOptions options{host.MayChange(Scope::Machine), false};
  UndoResult result;
  JournalFileStatus file;
  host.RunOffTheWindowThread([&] { result = journal.UndoNewest(options, file); });
  // Only Yes writes over another program's change: a box that could not be shown counts as No.
  if (result.outcome == UndoOutcome::ChangedSince) {
    if (host.Tell(Texts::UndoChangedSinceQuestion(result.keyName), MB_YESNO | MB_ICONWARNING) !=
        IDYES)
      return;
    options.overwriteChangesSince = true;
    host.RunOffTheWindowThread([&] { result = journal.UndoNewest(options, file); });
  }
  // A failed write has put the keys back as they were, or tried to: the rows show what is.
  if (result.done() || result.outcome == UndoOutcome::WriteFailed ||
      result.outcome == UndoOutcome::RollbackFailed)
    ShowKeys(host, keys);
  if (!result.done())
    host.Tell(FailureText(result), MB_OK | MB_ICONERROR);
  else if (!file.ok())
    TellJournalNotSaved(host, Texts::kUndoNotSaved, file);
}
