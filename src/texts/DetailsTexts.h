#pragma once
// The texts of what the window says about a registration's program: the optional list columns
// and the header menu that shows them, the editor panel's lines, the hijack warnings and the
// row menu's jumps. Exactly as the user sees them. No Windows header.

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ProgramDetails.h"

namespace Texts {

// What a registration's program is: optional columns and the panel's lines.
inline constexpr wchar_t kHeaderHersteller[] = L"Hersteller";
inline constexpr wchar_t kHeaderVersion[] = L"Version";
inline constexpr wchar_t kHeaderSignatur[] = L"Signatur";
inline constexpr wchar_t kHeaderHinweis[] = L"Hinweis";
// The signer's name follows.
inline constexpr wchar_t kSignedBy[] = L"Signiert: ";
inline constexpr wchar_t kNotSigned[] = L"Nicht signiert";
inline constexpr wchar_t kSignatureInvalid[] = L"Signatur ungültig";
// Empty while the signature is not known (being checked, program missing or unreadable).
inline std::wstring SignatureCaption(SignatureKind kind, std::wstring_view signer) {
  switch (kind) {
    case SignatureKind::Signed:
      return kSignedBy + std::wstring(signer);
    case SignatureKind::Unsigned:
      return kNotSigned;
    case SignatureKind::Invalid:
      return kSignatureInvalid;
    case SignatureKind::Unknown:
      break;
  }
  return L"";
}
// The hijack warnings ("Hinweis"); they never change a registration's status.
inline constexpr wchar_t kHidesMachineEntry[] = L"Verdeckt Computereintrag";
inline constexpr wchar_t kHidesWindowsProgram[] = L"Verdeckt Windows-Programm";
inline constexpr wchar_t kUserWritable[] = L"Für Benutzer beschreibbar";
inline const wchar_t* WarningCaption(HijackWarning warning) {
  switch (warning) {
    case HijackWarning::HidesMachine:
      return kHidesMachineEntry;
    case HijackWarning::HidesWindowsProgram:
      return kHidesWindowsProgram;
    case HijackWarning::UserWritable:
      break;
  }
  return kUserWritable;
}
// Hides rows whose program has a valid signature chaining to Microsoft's roots (check mark).
inline constexpr wchar_t kMenuWindowsEinträgeAusblenden[] = L"Windows-Einträge ausble&nden";
// Jumps from a row: the registry editor at its key, the Explorer at its program.
inline constexpr wchar_t kMenuImRegistrierungsEditor[] = L"Im Re&gistrierungs-Editor öffnen";
inline constexpr wchar_t kMenuImExplorer[] = L"Im E&xplorer anzeigen";

// The editor panel's lines under its note; a part that is not known is left out.
inline constexpr wchar_t kDetailsDescription[] = L"Beschreibung: ";
inline constexpr wchar_t kDetailsCompany[] = L"Hersteller: ";
inline constexpr wchar_t kDetailsVersion[] = L"Version: ";
inline constexpr wchar_t kDetailsHint[] = L"Hinweis: ";
// While the worker still reads the program.
inline constexpr wchar_t kDetailsPending[] = L"Die Angaben zum Programm werden gelesen ...";

// The warnings of one registration, as the column "Hinweis" and the panel show them.
inline std::wstring WarningsCaption(const std::vector<HijackWarning>& warnings) {
  std::wstring text;
  for (const HijackWarning warning : warnings)
    text += (text.empty() ? L"" : L"; ") + std::wstring(WarningCaption(warning));
  return text;
}

// Four lines: description; company and version; the signature; the warnings.
inline std::wstring DetailsLines(const ProgramDetails& details) {
  const auto part = [](const wchar_t* label, const std::wstring& value) {
    return value.empty() ? std::wstring() : label + value;
  };
  std::wstring makerLine = part(kDetailsCompany, details.Company);
  if (!details.Version.empty())
    makerLine += (makerLine.empty() ? L"" : L"    ") + part(kDetailsVersion, details.Version);
  return part(kDetailsDescription, details.Description) + L"\n" + makerLine + L"\n" +
         SignatureCaption(details.Signature, details.Signer) + L"\n" +
         part(kDetailsHint, WarningsCaption(details.Warnings));
}

// A per-user choice of the window (columns shown, Windows' rows hidden) could not be stored;
// the system's reason follows.
inline constexpr wchar_t kSettingNotSaved[] =
    L"Die Einstellung konnte nicht für das nächste Mal gespeichert werden.";

// The jumps' failures; the system's reason follows.
inline constexpr wchar_t kRegistryEditorNotStarted[] =
    L"Der Registrierungs-Editor konnte nicht gestartet werden.";
inline constexpr wchar_t kExplorerNotStarted[] = L"Der Explorer konnte nicht gestartet werden.";
// "Im Explorer anzeigen" for a registration whose program is not there.
inline constexpr wchar_t kNoProgramToShow[] =
    L"Das Programm dieses Eintrags gibt es nicht; es kann nicht angezeigt werden.";

}  // namespace Texts
