#include "ui/PanelStatus.h"

#include "catalogue/InstallationText.h"
#include "catalogue/Resolution.h"
#include "texts/ExplanationTexts.h"

namespace {

// The program the text names and whether Windows looked for it along the search path.
std::wstring ProgramReason(const StatusReading& reading, bool found) {
  const std::wstring program = TestedPath(reading.asRead);
  const bool bare = IsBareName(program);
  std::wstring reason = program + (found ? (bare ? Texts::kReasonFoundOnPath : Texts::kReasonThere)
                                         : (bare ? Texts::kReasonNotOnPath : Texts::kReasonMissing));
  if (reading.asRead != reading.stored) reason += Texts::ExpandedFrom(reading.stored);
  return reason;
}

}  // namespace

std::wstring PanelStatusLine(const StatusReading& reading) {
  switch (reading.status) {
    case EntryStatus::Fine:
      return Texts::StatusLine(Texts::kLegendReady, ProgramReason(reading, true));
    case EntryStatus::FileNotFound:
      return Texts::StatusLine(Texts::kLegendNotFound, ProgramReason(reading, false));
    case EntryStatus::Broken:
      return Texts::StatusLine(Texts::kLegendBroken, Texts::kReasonNoProgram);
    case EntryStatus::SettingsOnly:
      return Texts::StatusLine(Texts::kLegendSettings, Texts::kReasonSettings);
    case EntryStatus::Hidden:
      return Texts::StatusLine(Texts::kLegendHidden, Texts::kReasonHidden);
    case EntryStatus::Unreachable:
      return Texts::kPanelUnreachable;
    case EntryStatus::Checking:
      break;
  }
  return Texts::kStatusChecking;
}
