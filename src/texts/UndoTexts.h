#pragma once
// The texts of taking a change back ("Rückgängig") and of its journal, exactly as shown,
// trailing blanks included. No Windows header: the native tests use them too.

#include <string>
#include <string_view>

#include "catalogue/Journal.h"

namespace Texts {

// ---- Undo ("Rückgängig") and its journal of changes ----
// The context menu's first item with nothing to take back (disabled), and its key; with a change
// to take back, what it was follows the separator. The access key is K: R belongs to
// "bereinigen".
inline constexpr wchar_t kMenuRückgängig[] = L"Rüc&kgängig";
inline constexpr wchar_t kMenuRückgängigKey[] = L"\tStrg+Z";
inline constexpr wchar_t kUndoMenuSeparator[] = L": ";
// A change that touched several registrations names their number instead of one name.
inline constexpr wchar_t kUndoEntriesSuffix[] = L" Einträge";
inline const wchar_t* UndoActionName(JournalAction action) {
  switch (action) {
    case JournalAction::Delete: return L"Löschen";
    case JournalAction::Rename: return L"Umbenennen";
    case JournalAction::Save: return L"Speichern";
    case JournalAction::NewEntry: return L"Hinzufügen";
    case JournalAction::CleanUp: return L"Bereinigen";
    case JournalAction::Restore: return L"Wiederherstellen";
  }
  return L"";
}
// What the context menu's first item takes back: "Löschen Winword.exe".
inline std::wstring UndoSubject(const JournalEntry& change) {
  const bool several = change.action == JournalAction::CleanUp && change.keys.size() > 1;
  return std::wstring(UndoActionName(change.action)) + L" " +
         (several ? std::to_wstring(change.keys.size()) + kUndoEntriesSuffix : ShownName(change));
}
// Another program changed the registration since; its name stands between the two parts.
inline constexpr wchar_t kUndoChangedSinceStart[] = L"Der Eintrag ";
inline constexpr wchar_t kUndoChangedSinceEnd[] =
    L" wurde seit dieser Änderung von einem anderen Programm geändert.  \n"
    L"Soll die Änderung trotzdem rückgängig gemacht werden ? Was das andere Programm "
    L"geschrieben hat, geht dann verloren.  ";
inline std::wstring UndoChangedSinceQuestion(std::wstring_view keyName) {
  return kUndoChangedSinceStart + ShownKeyName(keyName) + kUndoChangedSinceEnd;
}
inline constexpr wchar_t kUndoRefusedProtected[] =
    L"Die Änderung kann nicht rückgängig gemacht werden: Diese Systemdatei darf nicht aus der "
    L"Registrierung gelöscht werden.  ";
inline constexpr wchar_t kUndoRefusedReadOnly[] =
    L"Die Änderung kann nicht rückgängig gemacht werden: Für Computer-Einträge fehlen die "
    L"Schreibrechte.  ";
inline constexpr wchar_t kUndoRefusedName[] =
    L"Die Änderung kann nicht rückgängig gemacht werden: Ein Eintrag dieses Namens kann nicht "
    L"wieder angelegt werden.  ";
// The registration and the system's reason follow on lines of their own.
inline constexpr wchar_t kUndoReadFailed[] =
    L"Die Änderung wurde nicht rückgängig gemacht: Ein Eintrag konnte nicht gelesen werden. Es "
    L"wurde nichts verändert.  ";
inline constexpr wchar_t kUndoWriteFailed[] =
    L"Die Änderung konnte nicht rückgängig gemacht werden. Die Einträge sind wieder so wie vor "
    L"dem Versuch.  ";
inline constexpr wchar_t kUndoRollbackFailed[] =
    L"Die Änderung konnte nicht rückgängig gemacht werden, und nicht alle Einträge ließen sich "
    L"wieder auf den Stand vor dem Versuch bringen. Bitte prüfen Sie die Einträge.  ";
// The journal's file and the system's reason follow on lines of their own.
inline constexpr wchar_t kJournalUnreadable[] =
    L"Das Änderungsprotokoll konnte nicht gelesen werden. Frühere Änderungen können nicht "
    L"rückgängig gemacht werden.  ";
inline constexpr wchar_t kJournalDamaged[] =
    L"Das Änderungsprotokoll ist beschädigt und wird nicht verwendet. Frühere Änderungen können "
    L"nicht rückgängig gemacht werden.  ";
// The undo was done, but the file still holds the change as not taken back.
inline constexpr wchar_t kUndoNotSaved[] =
    L"Die Änderung wurde rückgängig gemacht, das Änderungsprotokoll konnte aber nicht "
    L"gespeichert werden. Nach einem Neustart wird sie noch einmal angeboten.  ";
// Before a command writes: the registration and the system's reason follow on lines of their own.
inline constexpr wchar_t kJournalBeforeFailed[] =
    L"Der Eintrag konnte nicht vollständig gelesen werden, die Änderung könnte also nicht "
    L"rückgängig gemacht werden. Es wurde nichts verändert.  ";
// After a command wrote: the system's reason follows on a line of its own.
inline constexpr wchar_t kJournalAfterFailed[] =
    L"Die Änderung wurde ausgeführt, kann aber nicht rückgängig gemacht werden: Ein Eintrag "
    L"konnte danach nicht gelesen werden.  ";
inline constexpr wchar_t kJournalNotSaved[] =
    L"Das Änderungsprotokoll konnte nicht gespeichert werden. Nach einem Neustart kann die "
    L"Änderung nicht mehr rückgängig gemacht werden.  ";

}  // namespace Texts
