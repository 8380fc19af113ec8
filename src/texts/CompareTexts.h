#pragma once
// The window's texts of the comparison with a registration file ("Vergleichen mit ...", the
// start-up's question about the previous backup) and of the restore from it. Exact, trailing
// blanks included. No Windows header.
#include <cstddef>
#include <string>
#include <vector>

#include "catalogue/Comparison.h"
#include "platform/ControlPictures.h"

namespace Texts {

// ---- The menu item and its file dialog ----
inline constexpr wchar_t kMenuVergleichen[] = L"&Vergleichen mit ...";
inline constexpr wchar_t kCompareTitle[] = L"Vergleichen mit ...";
// The comparison with the previous backups that the start-up's question offers.
inline constexpr wchar_t kActionCompareBackup[] = L"Unterschiede zur Sicherung anzeigen";
// The undo file of a restore, beside the clean-up's: "Wiederherstellung-YYYY-MM-DD-HHMMSS.reg".
inline constexpr wchar_t kRestoreUndoPrefix[] = L"Wiederherstellung-";

// ---- The start-up's question, when a previous backup differs from the registry ----
// Stands before kBackupOverwriteQuestion; the hint follows the advice.
inline std::wstring BackupChanges(const ChangeCounts& counts) {
  return L"Seit dem Schreiben der Sicherung haben sich Einträge geändert (hinzugefügt: " +
         std::to_wstring(counts.added) + L", entfernt: " + std::to_wstring(counts.removed) +
         L", geändert: " + std::to_wstring(counts.changed) + L").    ";
}
inline constexpr wchar_t kBackupShowChangesHint[] =
    L"(Abbrechen zeigt die Unterschiede zuerst an; danach wird wieder gefragt.)";

// ---- The comparison's dialog ----
inline constexpr wchar_t kCompareCaption[] = L"Vergleich mit der Registrierungsdatei";
// The file follows on a line of its own.
inline constexpr wchar_t kCompareExplanation[] =
    L"Unterschiede der Registrierung zu dieser Datei. Angehakte entfernte oder geänderte "
    L"Einträge werden so wiederhergestellt, wie die Datei sie enthält; vorher wird gesichert, "
    L"was sie ersetzen:";
inline constexpr wchar_t kCompareOk[] = L"&Wiederherstellen";
inline constexpr wchar_t kCompareClose[] = L"Schließen";
inline constexpr wchar_t kCompareHeaderScope[] = L"Bereich";
inline constexpr wchar_t kCompareHeaderName[] = L"Name";
inline constexpr wchar_t kCompareHeaderChange[] = L"Änderung";
inline constexpr wchar_t kCompareHeaderParts[] = L"Unterschied";
inline const wchar_t* ChangeCaption(Change change) {
  switch (change) {
    case Change::Added:
      return L"hinzugefügt";
    case Change::Removed:
      return L"entfernt";
    case Change::Changed:
      break;
  }
  return L"geändert";
}
// A row that may not be restored: the reason follows its change ("entfernt, geschützt").
inline constexpr wchar_t kCompareProtected[] = L", geschützt";
inline constexpr wchar_t kCompareReadOnly[] = L", nur Lesen";
// What differs in a changed registration: its values, then its sub-keys, control characters as
// their pictures.
inline std::wstring ChangedPartsCaption(const std::vector<ChangedPart>& parts) {
  std::wstring caption;
  for (const ChangedPart& part : parts) {
    if (!caption.empty()) caption += L", ";
    if (part.subKey)
      caption += L"Unterschlüssel " + WithControlPictures(part.name);
    else
      caption += part.name.empty() ? std::wstring(L"(Standard)") : WithControlPictures(part.name);
  }
  return caption;
}

// ---- What the user is told ----
inline constexpr wchar_t kCompareNoChanges[] =
    L"Die Registrierung stimmt mit der Registrierungsdatei überein.  ";
// The file follows on a line of its own, then the system's reason or the line and why.
inline constexpr wchar_t kCompareFileUnreadable[] =
    L"Die Registrierungsdatei konnte nicht gelesen werden. Es wurde nichts verglichen.  ";
inline constexpr wchar_t kCompareFileRefused[] =
    L"Die Registrierungsdatei wird nicht verglichen; es wurde nichts geschrieben.  ";
inline std::wstring FileLine(size_t line) { return L"Zeile " + std::to_wstring(line) + L": "; }
// The key follows on a line of its own, then the system's reason.
inline constexpr wchar_t kCompareKeyUnreadable[] =
    L"Ein Eintrag der Registrierung konnte nicht gelesen werden. Es wurde nichts verglichen.  ";
// The number stands in front; the undo file follows on a line of its own.
inline constexpr wchar_t kRestoreDone[] =
    L" Einträge wurden wiederhergestellt. Die Sicherung zum Rückgängigmachen (mit dem "
    L"Registrierungs-Editor importieren) ist:";
// The failed step, the key (or the undo file) and the system's reason follow on lines of their
// own.
inline constexpr wchar_t kRestoreFailed[] =
    L"Die Wiederherstellung wurde abgebrochen, bevor ein Eintrag geschrieben wurde.  ";
inline constexpr wchar_t kRestoreWriteFailed[] =
    L"Die Wiederherstellung wurde beim Schreiben abgebrochen; die Einträge davor wurden "
    L"zurückgesetzt.  ";
// Follows kRestoreWriteFailed with the keys that could not be put back, one a line.
inline constexpr wchar_t kRestoreNotPutBack[] =
    L"Nicht zurückgesetzt (die Sicherung enthält sie):";
inline constexpr wchar_t kRestoreStepName[] = L"Dieser Eintrag darf nicht wiederhergestellt werden:";
inline constexpr wchar_t kRestoreStepMissing[] = L"Die Datei enthält diesen Eintrag nicht:";
inline constexpr wchar_t kRestoreStepRead[] = L"Der Eintrag konnte nicht gelesen werden:";
inline constexpr wchar_t kRestoreStepUndo[] =
    L"Die Sicherungsdatei konnte nicht geschrieben werden:";
inline constexpr wchar_t kRestoreStepWrite[] = L"Der Eintrag konnte nicht geschrieben werden:";

}  // namespace Texts
