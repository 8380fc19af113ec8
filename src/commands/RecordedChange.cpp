#include "commands/RecordedChange.h"

#include <optional>

#include "platform/Others.h"
#include "texts/UndoTexts.h"

namespace {

std::wstring WithReason(std::wstring text, DWORD error) {
  if (error != ERROR_SUCCESS) text += L"\n" + SystemMessage(error);
  return text;
}

// A clean-up names every key it was asked to remove, a rename both names: only the keys the
// command really changed are taken back, and only they are compared with the registry then.
void KeepChangedKeys(JournalEntry& change) {
  std::erase_if(change.keys, [](const JournalKey& key) { return key.before == key.after; });
}

}  // namespace

bool RecordedChange::Before(const std::vector<RecordedKey>& keys) {
  const RecordedKey* failed = nullptr;
  LONG error = ERROR_SUCCESS;
  host_.RunOffTheWindowThread([&] {
    for (const RecordedKey& key : keys) {
      if (!recorder_.Before(key.scope, key.keyName, &error)) {
        failed = &key;
        return;
      }
    }
  });
  if (failed == nullptr) return true;
  host_.Tell(WithReason(std::wstring(Texts::kJournalBeforeFailed) + L"\n" +
                            ShownKeyName(failed->keyName),
                        static_cast<DWORD>(error)),
             MB_OK | MB_ICONERROR);
  return false;
}

void RecordedChange::Finish() {
  ChangeJournal& journal = host_.Changes();
  LONG error = ERROR_SUCCESS;
  JournalFileStatus file;
  host_.RunOffTheWindowThread([&] {
    std::optional<JournalEntry> change = recorder_.After(&error);
    if (!change) return;
    KeepChangedKeys(*change);
    file = journal.Record(std::move(*change));
  });
  if (error != ERROR_SUCCESS)
    host_.Tell(WithReason(Texts::kJournalAfterFailed, static_cast<DWORD>(error)),
               MB_OK | MB_ICONWARNING);
  else if (!file.ok())
    TellJournalNotSaved(host_, Texts::kJournalNotSaved, file);
}

void TellJournalNotSaved(CommandHost& host, const wchar_t* lead, const JournalFileStatus& file) {
  host.Tell(WithReason(std::wstring(lead) + L"\n" + host.Changes().Path(), file.error),
            MB_OK | MB_ICONWARNING);
}
