#pragma once
// The window's texts that say why: the editor panel's line under its boxes (a status and its
// reason), the refusal of a name the registry cannot take, and the rename dialog's help. They
// stand beside Texts.h, whose messages they complete. Platform-free.
#include <string>

#include "catalogue/KeyNameRules.h"
#include "texts/Texts.h"

namespace Texts {

// ---- Editor panel ----
// The line under the boxes: the status in the legend's words, a dash, and why.
inline constexpr wchar_t kStatusChecking[] = L"Wird geprüft ...";
inline constexpr wchar_t kReasonThere[] = L" ist vorhanden";
inline constexpr wchar_t kReasonFoundOnPath[] = L" wird über den Suchpfad gefunden";
inline constexpr wchar_t kReasonMissing[] = L" gibt es nicht";
inline constexpr wchar_t kReasonNotOnPath[] = L" steht in keinem Ordner des Suchpfads";
inline constexpr wchar_t kReasonNoProgram[] = L"der Eintrag nennt kein Programm";
inline constexpr wchar_t kReasonSettings[] = L"kein Programm, aber Einstellungen für Windows";
inline constexpr wchar_t kReasonHidden[] =
    L"Windows startet stattdessen den gleichnamigen Eintrag des Benutzers";
// Follows the program when Windows expands variables in the stored text.
inline std::wstring ExpandedFrom(const std::wstring& stored) {
  return L" (erweitert aus " + stored + L")";
}
inline std::wstring StatusLine(const wchar_t* status, const std::wstring& reason) {
  return std::wstring(status) + L" – " + reason;
}

// ---- A name the registry cannot take ----
// What the user is told about a name the registry cannot take; empty for None.
inline std::wstring KeyNameProblemText(KeyNameProblem problem) {
  switch (problem) {
    case KeyNameProblem::Empty:
      return kKeyNameEmpty;
    case KeyNameProblem::Backslash:
      return kKeyNameBackslash;
    case KeyNameProblem::ControlCharacter:
      return kKeyNameControl;
    case KeyNameProblem::TooLong:
      return kKeyNameTooLong;
    case KeyNameProblem::None:
      break;
  }
  return {};
}

// ---- Rename dialog ----
// "Hilfe": what the name field takes.
inline constexpr wchar_t kRenameHelpTitle[] = L" Hilfe zum Umbenennen";
inline constexpr wchar_t kRenameHelpText[] =
    L"Geben Sie den Dateinamen ein, unter dem Windows das Programm finden soll, etwa "
    L"Winword.exe.\n\n"
    L"Erlaubt sind bis zu 255 Zeichen, aber kein umgekehrter Schrägstrich (\\) und keine "
    L"Steuerzeichen. Ohne Punkt wird der Dateityp der Installation angehängt; weicht der "
    L"Dateityp von ihr ab, fragt das Programm nach.\n\n"
    L"Geändert wird nur der Name in der Registrierung, nicht die Datei.";

}  // namespace Texts
