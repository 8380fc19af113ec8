#pragma once
// The command line's texts (velmarin.exe /list, /check, /clean, /diff, /?): its usage, its
// lines and its failures, reproduced exactly. The words it shares with the window (the
// statuses, the scopes) are in Texts.h. No Windows header.
#include <string>

#include "catalogue/RegFileReader.h"

namespace Texts {

// ---- Command line (velmarin.exe /list, /check, /clean DATEI, /diff DATEI, /?) ----
// Every line is written with CRLF after it. The status of a /check line is the legend's text
// (kLegendNotFound, kLegendBroken); the scope is kScopeMachine or kScopeUser. The usage's
// lines fit a console 80 characters wide.
inline constexpr const wchar_t* kCliUsage[] = {
    L"Velmarin – Anwendungspfade (App Paths) prüfen und bereinigen, ohne Fenster.",
    L"",
    L"velmarin.exe /list [/format:tsv|csv|json]",
    L"    Jeder Eintrag beider Bereiche (Computer zuerst), einer je Datensatz, mit",
    L"    den Feldern scope, key, status, statusText, installation, program, path,",
    L"    company, description, version, signature, signer, warnings.",
    L"    tsv (Vorgabe): Kopfzeile, Felder durch Tabulatoren getrennt; csv: nach",
    L"    RFC 4180; json: ein Array von Objekten. Listen (warnings) in tsv und csv",
    L"    durch Semikolon getrennt.",
    L"velmarin.exe /check [/format:tsv|csv|json]",
    L"    Eine Zeile je fehlerhaftem Eintrag beider Bereiche (Computer, Benutzer):",
    L"    Bereich, Schlüsselname, Zustand und Installation, durch Tabulatoren",
    L"    getrennt. Mit /format: die Datensätze dieser Einträge wie bei /list.",
    L"    Programme, deren Vorhandensein sich nicht feststellen lässt (Netzwerk,",
    L"    Laufwerk), gelten nicht als fehlerhaft.",
    L"velmarin.exe /clean DATEI",
    L"    Schreibt jeden fehlerhaften Eintrag, der entfernt werden darf, in die",
    L"    Wiederherstellungsdatei DATEI (eine vorhandene Datei wird nicht",
    L"    überschrieben) und entfernt ihn dann. Geschützte Namen (SETUP.EXE,",
    L"    INSTALL.EXE, WINNT32.EXE), Computer-Einträge ohne Schreibrecht,",
    L"    inzwischen geänderte Einträge und solche, die keine Datei genau",
    L"    wiederherstellt, bleiben. Rückgängig: regedit /s DATEI",
    L"velmarin.exe /diff DATEI [/format:tsv|csv|json]",
    L"    Vergleicht die Registrierungsdatei DATEI (etwa AppBackup.reg) mit der",
    L"    Registrierung: eine Zeile je Eintrag, der seither hinzugekommen (added),",
    L"    entfernt (removed) oder geändert (changed, mit den geänderten Werten und",
    L"    Unterschlüsseln) ist. Mit /format: Datensätze mit den Feldern change,",
    L"    scope, key, parts.",
    L"velmarin.exe /?",
    L"    Diese Hilfe.",
    L"",
    L"Rückgabewert:",
    L"    0 bis 250  Anzahl der fehlerhaften Einträge (/clean: der verbliebenen,",
    L"               /diff: der Unterschiede), höchstens 250; /list: 0.",
    L"    251        Ein App-Paths-Schlüssel konnte nicht gelesen werden.",
    L"    252        Bereinigung abgebrochen, nichts wurde entfernt.",
    L"    253        Bereinigung abgebrochen, nachdem Einträge entfernt wurden.",
    L"    254        Unbekannter Schalter oder falsche Angaben.",
    L"    255        Die Registrierungsdatei für /diff ist nicht lesbar oder wird",
    L"               abgelehnt.",
};
inline constexpr wchar_t kCliUnknownSwitch[] = L"Unbekannter Schalter: ";
inline constexpr wchar_t kCliMissingUndoFile[] =
    L"Nach /clean fehlt der Name der Wiederherstellungsdatei.";
inline constexpr wchar_t kCliUnknownFormat[] =
    L"Unbekanntes Ausgabeformat (möglich: /format:tsv, /format:csv, /format:json): ";
inline constexpr wchar_t kCliMissingDiffFile[] =
    L"Nach /diff fehlt der Name der Registrierungsdatei.";
inline constexpr wchar_t kCliSurplusArgument[] = L"Überzählige Angabe: ";

// The last line of /clean.
inline std::wstring CliRemovedSummary(size_t removed, const std::wstring& undoFile) {
  return (removed == 1 ? std::wstring(L"1 Eintrag") : std::to_wstring(removed) + L" Einträge") +
         L" entfernt. Wiederherstellungsdatei: " + undoFile;
}
inline constexpr wchar_t kCliNothingRemoved[] =
    L"Keine Einträge entfernt, keine Wiederherstellungsdatei angelegt.";

// Failures, on the error output. The key's full path or the file follows the first line, the
// details (kCliStep ...) stand on lines of their own.
inline constexpr wchar_t kCliUnreadableKey[] = L"Der Schlüssel konnte nicht gelesen werden: ";
inline constexpr wchar_t kCliUndoFileExists[] =
    L"Die Wiederherstellungsdatei gibt es schon, sie wird nicht überschrieben: ";
inline constexpr wchar_t kCliNothingRemovedFailure[] =
    L"Die Bereinigung wurde abgebrochen, es wurde nichts entfernt.";
// The number of removed registrations stands between the two parts.
inline constexpr wchar_t kCliStoppedAfterStart[] = L"Die Bereinigung wurde abgebrochen, nachdem ";
inline constexpr wchar_t kCliStoppedAfterEnd[] =
    L" Einträge entfernt wurden. Die Wiederherstellungsdatei enthält alle.";
inline constexpr wchar_t kCliStep[] = L"Schritt: ";
inline constexpr wchar_t kCliEntry[] = L"Eintrag: ";
inline constexpr wchar_t kCliFile[] = L"Datei: ";
inline constexpr wchar_t kCliReason[] = L"Grund: ";
inline constexpr wchar_t kCliStepName[] = L"Name prüfen";
inline constexpr wchar_t kCliStepRead[] = L"Eintrag lesen";
inline constexpr wchar_t kCliStepCreate[] = L"Wiederherstellungsdatei anlegen";
inline constexpr wchar_t kCliStepWrite[] = L"Wiederherstellungsdatei schreiben";
inline constexpr wchar_t kCliStepReadBack[] = L"Wiederherstellungsdatei zurücklesen";
inline constexpr wchar_t kCliStepVerify[] = L"Wiederherstellungsdatei prüfen";
inline constexpr wchar_t kCliStepDelete[] = L"Eintrag entfernen";

// /diff: the file follows the first line; the reason (kCliReason) or the line (kCliLine, its
// number, ": " and RegFileProblem) stands on a line of its own.
inline constexpr wchar_t kCliDiffFileUnreadable[] =
    L"Die Registrierungsdatei konnte nicht gelesen werden: ";
inline constexpr wchar_t kCliDiffFileRefused[] = L"Die Registrierungsdatei wird nicht verglichen: ";
inline constexpr wchar_t kCliLine[] = L"Zeile ";

// ---- Registration files: why one cannot be read ----
inline const wchar_t* RegFileProblem(RegFile::ReadProblem problem) {
  using RegFile::ReadProblem;
  switch (problem) {
    case ReadProblem::NoHeader:
      return L"Die erste Zeile ist weder \"Windows Registry Editor Version 5.00\" noch "
             L"\"REGEDIT4\": das ist keine Registrierungsdatei.";
    case ReadProblem::HalfUnit:
      return L"Die Datei endet mitten in einem Zeichen: sie ist unvollständig.";
    case ReadProblem::UnknownLine:
      return L"Die Zeile ist weder Schlüssel, Wert, Kommentar noch leer.";
    case ReadProblem::BadKeyLine:
      return L"Der Schlüsselname ist leer oder nicht mit \"]\" abgeschlossen.";
    case ReadProblem::ValueOutsideKey:
      return L"Der Wert steht vor dem ersten Schlüssel oder nach einer Schlüssellöschung.";
    case ReadProblem::BadValueName:
      return L"Der Wertname ist fehlerhaft (Anführungszeichen, Escape-Folge oder \"=\" fehlt).";
    case ReadProblem::UnknownDataType:
      return L"Der Datentyp ist unbekannt (erwartet: \"Text\", dword:, hex: oder hex(N):).";
    case ReadProblem::BadData:
      return L"Die Daten des Werts sind fehlerhaft.";
    case ReadProblem::ValueRemoval:
      return L"Die Datei löscht einen Wert (=-) und sagt damit nicht, was der Schlüssel enthält.";
    case ReadProblem::HexCutOff:
      return L"Die mit \"\\\" fortgesetzte Hex-Liste bricht ab: die Datei ist unvollständig.";
    case ReadProblem::KeyOutsideAppPaths:
      return L"Der Schlüssel liegt nicht unter HKEY_LOCAL_MACHINE oder HKEY_CURRENT_USER"
             L"\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths.";
    case ReadProblem::BadKeyName:
      return L"Der Schlüsselpfad hat einen leeren oder zu langen Teil.";
    case ReadProblem::None:
      break;
  }
  return L"";
}

}  // namespace Texts
