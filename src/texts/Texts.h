#pragma once
// Every text the user sees, in one place. They are reproduced exactly, trailing blanks
// included; several captions and messages end in one or more blanks on purpose.
// No Windows header: platform-free code may use these texts too.

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/CleanUpSelection.h"

namespace Texts {

// ---- Main window ----
inline constexpr wchar_t kCaption[] = L"Velmarin";
// Follows the caption when the machine's App Paths key cannot be written.
inline constexpr wchar_t kReadOnlySuffix[] = L" – nur Lesen für Computer-Einträge";

// Legend bar
inline constexpr wchar_t kLegendReady[] = L"Fehlerfreier Eintrag";
inline constexpr wchar_t kLegendBroken[] = L"Fehlerhafter Eintrag";
inline constexpr wchar_t kLegendNotFound[] = L"Datei wurde nicht gefunden";
// A key without a program that carries settings for Windows (setup.exe, install.exe).
inline constexpr wchar_t kLegendSettings[] = L"Einstellungseintrag";
// A machine-wide registration that a per-user one of the same name hides from Windows.
inline constexpr wchar_t kLegendHidden[] = L"Durch Benutzereintrag verdeckt";
// The existence test got no answer: a share that does not answer, a drive not ready, no access.
inline constexpr wchar_t kLegendUnreachable[] = L"Nicht erreichbar";

// The editor panel's note when its program cannot be reached.
inline constexpr wchar_t kPanelUnreachable[] =
    L"Nicht erreichbar: Ob es das Programm gibt, lässt sich gerade nicht feststellen (Netzwerk, "
    L"Laufwerk nicht bereit oder kein Zugriff).";
// The same for a drive letter this session has no drive for.
inline std::wstring PanelDriveMissing(wchar_t letter) {
  return L"Nicht erreichbar: Das Laufwerk " + std::wstring(1, letter) +
         L": gibt es in dieser Sitzung nicht. Netzlaufwerke, die der angemeldete Benutzer "
         L"verbunden hat, sieht ein mit Administratorrechten gestartetes Programm nicht.";
}

// Follows the caption when the "Benutzer" rows are the signed-in user's, not this program's
// user's (started with another account's rights); the account's name follows.
inline constexpr wchar_t kOtherUserSuffix[] = L" – Benutzer-Einträge von ";

// The two App Paths keys, as the column "Bereich" and the editor panel name them.
inline constexpr wchar_t kHeaderBereich[] = L"Bereich";
inline constexpr wchar_t kScopeMachine[] = L"Computer";
inline constexpr wchar_t kScopeUser[] = L"Benutzer";
inline std::wstring ScopeCaption(bool machine) { return machine ? kScopeMachine : kScopeUser; }

// Column headers of the entry list
inline constexpr wchar_t kHeaderDateiname[] = L"Dateiname";
inline constexpr wchar_t kHeaderKeyname[] = L"Keyname";
inline constexpr wchar_t kHeaderInstallation[] = L"Installation";
inline constexpr wchar_t kHeaderVerzeichnis[] = L"Verzeichnis";

// Editor panel
inline constexpr wchar_t kLabelDateiname[] = L"&Dateiname:";
inline constexpr wchar_t kLabelInstallation[] = L"&Installation:";
inline constexpr wchar_t kLabelVerzeichnis[] = L"&Verzeichnis:";
inline constexpr wchar_t kBrowseButton[] = L"...";
inline constexpr wchar_t kOkButton[] = L"&OK";

// The broken-entry count while the start-up still reads the registry.
inline constexpr wchar_t kReadingEntries[] = L" Die Einträge werden gelesen ...";
// Follows the count: " 3 Fehlerhafte Einträge", but " 1 fehlerhafter Eintrag".
inline constexpr wchar_t kBrokenCountSuffix[] = L" Fehlerhafte Einträge";
inline constexpr wchar_t kBrokenCountSuffixOne[] = L" fehlerhafter Eintrag";
inline std::wstring BrokenCountCaption(int broken) {
  return L" " + std::to_wstring(broken) + (broken == 1 ? kBrokenCountSuffixOne : kBrokenCountSuffix);
}
// The count while existence tests are still running.
inline std::wstring CheckingCaption(int broken, size_t checking) {
  return BrokenCountCaption(broken) + L", " + std::to_wstring(checking) + L" werden noch geprüft";
}
// The count when no entry is broken.
inline constexpr wchar_t kNoBrokenEntries[] = L" Keine fehlerhaften Einträge";

// The context menu: every item with its access key, the shortcut after the tab.
inline constexpr wchar_t kMenuHinzufügen[] = L"&Hinzufügen\tStrg+N";
inline constexpr wchar_t kMenuBearbeiten[] = L"&Bearbeiten ...";
inline constexpr wchar_t kMenuUmbenennen[] = L"&Umbenennen ...\tF2";
inline constexpr wchar_t kMenuExportieren[] = L"&Exportieren ...\tStrg+E";
inline constexpr wchar_t kMenuAusführen[] = L"Aus&führen\tStrg+Eingabe";
inline constexpr wchar_t kMenuLöschen[] = L"&Löschen\tEntf";
inline constexpr wchar_t kMenuSuchen[] = L"&Suchen ...\tStrg+F";
inline constexpr wchar_t kMenuWeitersuchen[] = L"&Weitersuchen\tF3";
inline constexpr wchar_t kMenuBereinigen[] = L"Fehlerhafte Einträge be&reinigen ...";
// Reads both App Paths keys again (also F5).
inline constexpr wchar_t kMenuAktualisieren[] = L"&Aktualisieren\tF5";
// A menu item's caption as the name of its action in a message: no access key, no shortcut.
inline std::wstring ActionOfMenu(const wchar_t* caption) {
  std::wstring action;
  for (const wchar_t* c = caption; *c != L'\0' && *c != L'\t'; ++c)
    if (*c != L'&') action += *c;
  return action;
}

// Leaving a row whose texts were changed, or closing the window with them (Ja, Nein, Abbrechen).
inline std::wstring SaveChangesQuestion(const std::wstring& name) {
  return L"Änderungen an " + name + L" speichern?";
}

// A save finds its key changed or removed by another program since the panel loaded it.
inline constexpr wchar_t kChangedMeanwhileQuestion[] =
    L"Der Eintrag wurde inzwischen von einem anderen Programm geändert oder entfernt.  \n"
    L"Möchten Sie Ihre Änderungen trotzdem speichern ? Nur die Felder, die Sie geändert haben, "
    L"werden geschrieben; ein entfernter Eintrag wird mit den angezeigten Angaben neu angelegt. "
    L"(Nein lädt den aktuellen Stand.)  ";

// A rename finds the old key removed by another program since the list was read.
inline constexpr wchar_t kRenameOldKeyGoneQuestion[] =
    L"Der Eintrag wurde inzwischen von einem anderen Programm entfernt.  \n"
    L"Soll er unter dem neuen Namen mit den angezeigten Angaben neu angelegt werden ? (Nein legt "
    L"nichts an und nimmt den Eintrag aus der Liste.)  ";

// ---- Registry backup at start-up ----
inline constexpr wchar_t kBackupFileName[] = L"AppBackup.reg";
// The user's own App Paths key, backed up beside it.
inline constexpr wchar_t kUserBackupFileName[] = L"AppBackupBenutzer.reg";
// The files concerned follow, one a line.
inline constexpr wchar_t kBackupWritten[] =
    L"Registrierungssicherung für Wiederherstellung angelegt:    ";
inline constexpr wchar_t kBackupOverwriteQuestion[] =
    L"Registrierungssicherung für Wiederherstellung überschreiben ?    ";
inline constexpr wchar_t kBackupAdvice1[] =
    L"Wählen Sie ''Hinzufügen'' im Explorer, um den ursprünglichen Zustand ";
inline constexpr wchar_t kBackupAdvice2[] =
    L"der Registrierungseinträge für ''App Path'' wiederherzustellen.";
// Shown instead of kBackupWritten when the registry editor did not write the file; the file's
// path follows on the next line.
inline constexpr wchar_t kBackupFailed[] =
    L"Die Registrierungssicherung konnte nicht geschrieben werden.    ";
// The signed-in user's folder for their backup is not known (the program runs with another
// account's rights); the reason follows on the next line.
inline constexpr wchar_t kUserBackupSkipped[] =
    L"Die Sicherung der Benutzer-Einträge wurde übersprungen: Der Ordner des angemeldeten "
    L"Benutzers ist nicht bekannt.    ";

// ---- Failures of the program itself ----
inline constexpr wchar_t kWindowFailed[] = L"Das Hauptfenster konnte nicht angelegt werden.  ";
inline constexpr wchar_t kUnexpectedError[] =
    L"Bei diesem Vorgang ist ein unerwarteter Fehler aufgetreten. Er wurde abgebrochen.  ";
// The failed action follows: a menu caption or one of the two below.
inline constexpr wchar_t kFailedAction[] = L"Vorgang: ";
inline constexpr wchar_t kActionSave[] = L"Speichern";
inline constexpr wchar_t kActionWindow[] = L"Fensterereignis";

// ---- Placeholder row of a new entry ----
inline constexpr wchar_t kNewEntry[] = L"Neuer Eintrag";
inline constexpr wchar_t kNewEntryKeyMark[] = L"XXX";

// ---- Browse dialog ----
inline constexpr wchar_t kBrowseTitle[] = L"Durchsuchen";
inline constexpr wchar_t kBrowseFilter[] = L"Programme|*.exe|Alle Dateitypen|*.*";

// ---- Save entry ----
inline constexpr wchar_t kOverwriteQuestion1[] =
    L"Die Anwendung wurde im Anwendungsregister bereits gefunden.  ";
inline constexpr wchar_t kOverwriteQuestion2[] =
    L"Möchten Sie den vorhandenen Eintrag überschreiben ?";

// ---- Delete entry ----
inline constexpr wchar_t kDeleteRefused[] =
    L"Diese Systemdatei darf nicht aus der Registrierung gelöscht werden.  ";
// The question and the confirmation have the short name between their two parts.
inline constexpr wchar_t kDeleteQuestionStart[] = L"Möchten Sie die Path-Verknüpfung für ";
inline constexpr wchar_t kDeleteQuestionEnd[] = L" wirklich löschen ?  ";
inline constexpr wchar_t kDeletedStart[] = L"Die Verknüpfung für ";
inline constexpr wchar_t kDeletedEnd[] = L" wurde aus der Registrierung entfernt.  ";

// Every command but "Löschen" and the clean-up refuses a key whose name holds a NUL.
inline constexpr wchar_t kNulNameRefused[] =
    L"Der Name dieses Eintrags enthält ein Nullzeichen (\u2400). Windows-Programme lesen einen "
    L"solchen Namen nur bis zu diesem Zeichen und träfen damit einen anderen Eintrag.  \n"
    L"Dieser Eintrag kann nur gelöscht oder bereinigt werden.  ";

inline constexpr wchar_t kRenameRefused[] =
    L"Diese Systemdatei darf in der Registrierung nicht umbenannt werden.  ";

// ---- Save and delete: names the registry cannot take, writes it refused ----
inline constexpr wchar_t kKeyNameEmpty[] = L"Bitte geben Sie einen Dateinamen ein.  ";
inline constexpr wchar_t kKeyNameBackslash[] =
    L"Der Dateiname darf keinen umgekehrten Schrägstrich (\\) enthalten.  ";
inline constexpr wchar_t kKeyNameControl[] =
    L"Der Dateiname darf keine Steuerzeichen (etwa Tabulatoren) enthalten.  ";
inline constexpr wchar_t kKeyNameTooLong[] =
    L"Der Dateiname darf höchstens 255 Zeichen lang sein.  ";
// The system's reason follows on the next line.
inline constexpr wchar_t kSaveFailed[] =
    L"Der Eintrag konnte nicht in die Registrierung geschrieben werden.  ";
// The short name stands between the two parts; the system's reason follows on the next line.
inline constexpr wchar_t kDeleteFailedStart[] = L"Die Verknüpfung für ";
inline constexpr wchar_t kDeleteFailedEnd[] =
    L" konnte nicht aus der Registrierung entfernt werden.  ";
// Stands for the reason when the system has no text for the error; its number follows.
inline constexpr wchar_t kErrorCode[] = L"Fehlercode ";

// ---- Run application ----
inline constexpr wchar_t kRunFailed[] =
    L"Unbekannter Fehler bei Ausführung der Anwendung aufgetreten.    ";
// The program's path and the system's reason follow on lines of their own.
inline constexpr wchar_t kRunProgramMissing[] = L"Die Anwendung wurde nicht gefunden.  ";

// ---- Export to a registration file ----
inline constexpr wchar_t kExportFileName[] = L"Export.reg";
inline constexpr wchar_t kExportTitle[] = L"Speichern unter ...";
inline constexpr wchar_t kExportFilter[] = L"Registrierungsdatei|*.reg|Alle Dateitypen|*.*";

// ---- Rename dialog ----
inline constexpr wchar_t kRenameCaption[] = L" Dateinamen umbenennen";
inline constexpr wchar_t kRenameNameLabel[] = L"&Datei:";
inline constexpr wchar_t kRenameOk[] = L"&Ok";
inline constexpr wchar_t kRenameCancel[] = L"&Abbrechen";
inline constexpr wchar_t kRenameHelp[] = L"&Hilfe";
inline constexpr wchar_t kRenamePrompt[] =
    L"Bitte geben Sie einen neuen Dateinamen für die Anwendung ein, dieser wird dann nur in der "
    L"Registrierung geändert:";
inline constexpr wchar_t kTypeQuestionTitle[] = L" Dateitypen anpassen";
inline constexpr wchar_t kNonStandardType[] =
    L"Der Dateityp dieser Anwendung enstpricht nicht dem Standardformat.  ";
inline constexpr wchar_t kChangedType[] =
    L"Sie haben ebenfalls den Dateityp der Anwendung geändert.  ";

// ---- Run, export and rename: failures the user is told about ----
// The program's path and the system's reason follow on lines of their own.
inline constexpr wchar_t kRunStartFailed[] = L"Die Anwendung konnte nicht gestartet werden.  ";
// Velmarin runs with administrator rights and the signed-in user's rights cannot be had.
inline constexpr wchar_t kRunElevatedQuestion[] =
    L"Die Anwendung kann nicht mit den Rechten des angemeldeten Benutzers gestartet werden.  \n"
    L"Soll sie mit Administratorrechten gestartet werden ?  ";
// The key's path follows on a line of its own.
inline constexpr wchar_t kExportFailed[] =
    L"Der Eintrag konnte nicht in eine Registrierungsdatei exportiert werden.  ";
// The target file and the system's reason follow on lines of their own.
inline constexpr wchar_t kExportCopyFailed[] =
    L"Die Registrierungsdatei konnte nicht gespeichert werden.  ";
// The old name and the system's reason follow on lines of their own.
inline constexpr wchar_t kRenameOldKeyKept[] =
    L"Der Eintrag wurde unter dem neuen Namen gespeichert, die bisherige Registrierung konnte "
    L"aber nicht entfernt werden.  ";

// ---- Find dialog ----
inline constexpr wchar_t kFindCaption[] = L"Suchen";
inline constexpr wchar_t kFindPatternLabel[] = L"&Muster:";
inline constexpr wchar_t kFindWhere[] = L"Suchen in";
inline constexpr wchar_t kFindFileName[] = L"&Dateiname";
inline constexpr wchar_t kFindAllColumns[] = L"&Alle Spalten";
inline constexpr wchar_t kFindMatchCase[] = L"&Groß-/Kleinschreibung beachten";
inline constexpr wchar_t kFindButton[] = L"&Suchen";
inline constexpr wchar_t kCancelButton[] = L"Abbrechen";
inline constexpr wchar_t kFindMalformed[] =
    L"Das Suchmuster ist ungültig: eine eckige Klammer ist nicht geschlossen oder ein Bereich "
    L"ist absteigend (etwa [z-a]).  ";
inline constexpr wchar_t kFindNothing[] = L"Kein Eintrag entspricht dem Suchmuster.  ";
inline constexpr wchar_t kFindHint[] =
    L"Ohne * ? # [ ] genügt ein Teil des Feldes, mit ihnen muss das ganze Feld passen.";

// ---- Clean-up dialog ----
inline constexpr wchar_t kCleanUpCaption[] = L"Fehlerhafte Einträge bereinigen";
inline constexpr wchar_t kCleanUpExplanation[] =
    L"Die angehakten Einträge werden entfernt. Vorher werden sie in eine Registrierungsdatei "
    L"gesichert, mit der der Registrierungs-Editor sie wiederherstellen kann.";
inline constexpr wchar_t kCleanUpOk[] = L"&Entfernen";
inline constexpr wchar_t kCleanUpHeaderScope[] = L"Bereich";
inline constexpr wchar_t kCleanUpHeaderName[] = L"Dateiname";
inline constexpr wchar_t kCleanUpHeaderStatus[] = L"Zustand";
inline constexpr wchar_t kCleanUpHeaderInstallation[] = L"Installation";
inline constexpr wchar_t kCleanUpProtected[] = L"geschützt";
inline constexpr wchar_t kCleanUpReadOnly[] = L"nur Lesen";
inline constexpr wchar_t kCleanUpNothing[] = L"Es gibt keine fehlerhaften Einträge.  ";
inline constexpr wchar_t kCleanUpStillChecking[] =
    L"Die Einträge werden noch geprüft. Bitte versuchen Sie es gleich noch einmal.  ";
// The number of removed entries stands in front; the undo file follows on a line of its own.
inline constexpr wchar_t kCleanUpDone[] =
    L" Einträge wurden entfernt. Die Sicherung zum Wiederherstellen (mit dem Registrierungs-"
    L"Editor importieren) ist:";
// Every chosen entry stayed; the reasons follow, one a line.
inline constexpr wchar_t kCleanUpNoneRemoved[] = L"Es wurde kein Eintrag entfernt.  ";
// The failed step, the key and the system's reason follow on lines of their own.
inline constexpr wchar_t kCleanUpFailed[] =
    L"Die Bereinigung wurde abgebrochen, bevor ein Eintrag entfernt wurde.  ";
inline constexpr wchar_t kCleanUpDeleteFailed[] =
    L"Die Bereinigung wurde beim Entfernen abgebrochen; die Sicherung enthält alle ausgewählten "
    L"Einträge.  ";
inline constexpr wchar_t kCleanUpStepRead[] = L"Der Eintrag konnte nicht gelesen werden:";
inline constexpr wchar_t kCleanUpStepUndo[] = L"Die Sicherungsdatei konnte nicht geschrieben werden:";
inline constexpr wchar_t kCleanUpStepName[] = L"Dieser Eintrag darf nicht entfernt werden:";
inline constexpr wchar_t kCleanUpStepDelete[] = L"Der Eintrag konnte nicht entfernt werden:";

// ---- Registrations a clean-up kept (the window's report, the lines of /clean) ----
// A kept registration's third field in the output of /clean, and its line in the window's
// report after a clean-up.
inline constexpr wchar_t kCliKeptProtected[] = L"behalten: geschützter Name";
inline constexpr wchar_t kCliKeptReadOnly[] =
    L"behalten: keine Schreibrechte für Computer-Einträge";
// Changed, gone, repaired or unreachable since it was listed as broken.
inline constexpr wchar_t kCliKeptChanged[] = L"behalten: inzwischen geändert";
// No registration file restores it exactly: the value (below the key: "Sub\Name"; the
// default value "(Standard)") or, without a value, the key's name.
inline std::wstring KeptUnrestorable(const std::wstring& subKey,
                                     const std::optional<std::wstring>& value) {
  const std::wstring start = L"behalten: nicht wiederherstellbar (";
  if (!value) return start + L"Schlüsselname" + (subKey.empty() ? L"" : L" " + subKey) + L")";
  return start + L"Wert " + (subKey.empty() ? std::wstring() : subKey + L"\\") +
         (value->empty() ? std::wstring(L"(Standard)") : *value) + L")";
}
inline std::wstring KeptReason(KeptBecause why, const std::wstring& subKey = {},
                               const std::optional<std::wstring>& value = {}) {
  switch (why) {
    case KeptBecause::ProtectedName:
      return kCliKeptProtected;
    case KeptBecause::ReadOnlyScope:
      return kCliKeptReadOnly;
    case KeptBecause::Unrestorable:
      return KeptUnrestorable(subKey, value);
    default:
      return kCliKeptChanged;
  }
}
}  // namespace Texts
