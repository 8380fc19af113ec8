// "Löschen": removes the selected registration from the registry and its row from the list, or
// drops the row of a new entry that was never saved.
#include <windows.h>

#include "catalogue/AppPathEntry.h"
#include "catalogue/Scan.h"
#include "commands/Commands.h"
#include "commands/KeyNames.h"
#include "commands/RecordedChange.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "texts/Texts.h"

namespace {

// The row goes and its neighbour takes the selection; the panel shows that row (or nothing,
// when none is left).
void ForgetAndShowNeighbour(CommandHost& host, EntryId id) {
  host.Forget(id, true);
  host.LoadSelectedRow();
}

// Only Yes deletes: a box that could not be shown counts as No.
bool UserConfirms(CommandHost& host, const std::wstring& name) {
  return host.Tell(DeleteQuestion(name), MB_YESNO | MB_ICONWARNING) == IDYES;
}

// The key is addressed by its name as stored, whatever the row shows.
bool DeleteRegistration(CommandHost& host, const AppPathEntry& entry) {
  LONG error = ERROR_SUCCESS;
  if (Registry::DeleteKeyTree(RootOf(entry.Scope), EntryKeyPath(entry.KeyName), &error))
    return true;
  const auto code = static_cast<DWORD>(error);
  host.Tell(DeleteFailedMessage(entry.FileName, SystemMessage(code), code), MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace

void DeleteEntry(CommandHost& host) {
  const AppPathEntry* found = host.SelectedEntry();
  if (found == nullptr) {
    // A new entry that was never saved has no key: only its row goes. No row selected names
    // no entry, and never the App Paths key itself.
    if (const EntryId draft = host.SelectedDraft()) {
      host.ClearPanel();
      ForgetAndShowNeighbour(host, draft);
    }
    return;
  }
  const AppPathEntry entry = *found;
  if (!host.MayChange(entry.Scope)) return;
  if (IsProtectedName(entry.KeyName)) {
    host.Tell(Texts::kDeleteRefused, MB_OK | MB_ICONERROR);
    return;
  }
  // Never App Paths itself or a key further down.
  if (entry.KeyName.empty() || entry.KeyName.find(L'\\') != std::wstring::npos) return;
  if (!UserConfirms(host, entry.FileName)) return;
  RecordedChange change(host, JournalAction::Delete);
  if (!change.Before(entry.Scope, entry.KeyName)) return;
  const bool deleted = DeleteRegistration(host, entry);
  change.Finish();
  if (!deleted) {
    // Removed by another program meanwhile: the row must not outlive its key.
    if (!Registry::KeyExists(RootOf(entry.Scope), EntryKeyPath(entry.KeyName)))
      ForgetAndShowNeighbour(host, entry.Id);
    return;
  }
  host.Tell(DeletedMessage(entry.FileName), MB_OK | MB_ICONINFORMATION);
  host.ClearPanel();
  ForgetAndShowNeighbour(host, entry.Id);
}
