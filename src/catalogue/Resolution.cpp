#include "catalogue/Resolution.h"

#include "catalogue/InstallationText.h"
#include "platform/Dateiexistenz.h"
#include "platform/Environment.h"
#include "platform/FileDirPath.h"

std::wstring TextAsWindowsReadsIt(std::wstring_view stored, uint32_t type) {
  return TextAsWindowsReadsIt(stored, type, ExpandEnvironment);
}

namespace {
std::wstring ProgramOf(const std::wstring& text) {
  std::wstring program = TestedPath(text);
  if (!IsBareName(program)) return program;
  return FindOnSearchPath(program).value_or(program);
}

EntryStatus StatusOfProgram(const std::wstring& program) {
  if (program.empty()) return EntryStatus::Broken;
  // FileExists would look a bare or relative name up from the current folder.
  if (!IsFullPath(program)) return EntryStatus::FileNotFound;
  switch (FileExists(program).answer) {
    case Existence::Found:
      return EntryStatus::Fine;
    case Existence::CannotTell:
      return EntryStatus::Unreachable;
    case Existence::NotThere:
      break;
  }
  return EntryStatus::FileNotFound;
}

// Which of two readings tells more for the registration.
int Weight(EntryStatus status) {
  switch (status) {
    case EntryStatus::Fine:
      return 3;
    case EntryStatus::Unreachable:
      return 2;
    case EntryStatus::FileNotFound:
      return 1;
    default:
      return 0;
  }
}

ProgramReading Read(std::wstring text) {
  ProgramReading reading{std::move(text), {}, EntryStatus::Broken};
  reading.program = ProgramOf(reading.text);
  reading.status = StatusOfProgram(reading.program);
  return reading;
}
}  // namespace

ProgramReading ResolveProgram(std::wstring_view stored, uint32_t type) {
  std::vector<std::wstring> readings = ReadingsOf(stored, type, ExpandEnvironment);
  ProgramReading best = Read(std::move(readings.front()));
  for (size_t i = 1; i < readings.size() && best.status != EntryStatus::Fine; ++i)
    if (ProgramReading next = Read(std::move(readings[i])); Weight(next.status) > Weight(best.status))
      best = std::move(next);
  return best;
}

EntryStatus ProgramStatus(std::wstring_view stored, uint32_t type) {
  return ResolveProgram(stored, type).status;
}

std::wstring StartedProgram(const AppPathEntry& entry) {
  const std::optional<std::wstring> text = ProgramText(entry);
  if (!text) return {};
  std::wstring program = ResolveProgram(*text, entry.StoredInstallation->type).program;
  return IsFullPath(program) ? program : std::wstring();
}

EntryStatus EntryStatusOf(const AppPathEntry& entry) {
  const std::optional<std::wstring> program = ProgramText(entry);
  if (!program) return entry.HasSettings ? EntryStatus::SettingsOnly : EntryStatus::Broken;
  return ProgramStatus(*program, entry.StoredInstallation->type);
}
