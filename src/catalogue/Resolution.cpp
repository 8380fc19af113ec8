#include "catalogue/Resolution.h"

#include "catalogue/InstallationText.h"
#include "platform/Dateiexistenz.h"
#include "platform/Environment.h"
#include "platform/FileDirPath.h"

std::wstring TextAsWindowsReadsIt(std::wstring_view stored, uint32_t type) {
  return TextAsWindowsReadsIt(stored, type, ExpandEnvironment);
}

std::wstring ResolveProgram(std::wstring_view stored, uint32_t type) {
  std::wstring program = TestedPath(TextAsWindowsReadsIt(stored, type));
  if (!IsBareName(program)) return program;
  return FindOnSearchPath(program).value_or(program);
}

std::wstring StartedProgram(const AppPathEntry& entry) {
  const std::optional<std::wstring> text = ProgramText(entry);
  if (!text) return {};
  std::wstring program = ResolveProgram(*text, entry.StoredInstallation->type);
  return IsFullPath(program) ? program : std::wstring();
}

EntryStatus ProgramStatus(std::wstring_view stored, uint32_t type) {
  const std::wstring program = ResolveProgram(stored, type);
  if (program.empty()) return EntryStatus::Broken;
  // FileExists would look a bare or relative name up from the current folder.
  return IsFullPath(program) && FileExists(program) ? EntryStatus::Fine
                                                    : EntryStatus::FileNotFound;
}

EntryStatus EntryStatusOf(const AppPathEntry& entry) {
  const std::optional<std::wstring> program = ProgramText(entry);
  if (!program) return entry.HasSettings ? EntryStatus::SettingsOnly : EntryStatus::Broken;
  return ProgramStatus(*program, entry.StoredInstallation->type);
}
