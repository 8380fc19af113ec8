// The window's part of the journal of changes: reading it from its file and the menu item that
// names the change "Rückgängig" takes back (greyed with the others, Strg+Z with the other keys).
#include <string>

#include "catalogue/JournalFile.h"
#include "platform/Others.h"
#include "texts/UndoTexts.h"
#include "ui/Root.h"

namespace {

// A name's & would underline the letter after it instead of being shown.
std::wstring MenuEscaped(const std::wstring& text) {
  std::wstring escaped;
  for (const wchar_t c : text) {
    if (c == L'&') escaped += L'&';
    escaped += c;
  }
  return escaped;
}

}  // namespace

ChangeJournal& Root::Changes() {
  if (!journal_) LoadJournal();
  return *journal_;
}

// The file is read off the window's thread; one that cannot be read or is damaged is said so
// once, and the next change recorded replaces it.
void Root::LoadJournal() {
  journal_.emplace(options_.journalFile.empty() ? DefaultJournalPath() : options_.journalFile);
  if (journal_->Path().empty()) return;  // no folder known: the first change says so
  JournalFileStatus status;
  RunOffTheWindowThread([&] { status = journal_->Load(); });
  if (status.ok()) return;
  std::wstring text = status.problem == JournalFileProblem::Damaged ? Texts::kJournalDamaged
                                                                     : Texts::kJournalUnreadable;
  text += L"\n" + journal_->Path();
  if (status.error != ERROR_SUCCESS) text += L"\n" + SystemMessage(status.error);
  Tell(text, MB_OK | MB_ICONWARNING);
}

void Root::ShowUndoItem() {
  const JournalEntry* newest = Changes().NewestUndoable();
  std::wstring text = Texts::kMenuRückgängig;
  if (newest != nullptr) text += Texts::kUndoMenuSeparator + MenuEscaped(Texts::UndoSubject(*newest));
  text += Texts::kMenuRückgängigKey;
  ModifyMenuW(commandMenu_, kMnuRückgängig,
              MF_BYCOMMAND | MF_STRING, kMnuRückgängig, text.c_str());
}
