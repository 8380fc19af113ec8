// mnuAusführen: starts the program of the entry in the editor panel, in the entry's directory.
#include <optional>
#include <string>

#include "catalogue/InstallationText.h"
#include "catalogue/Resolution.h"
#include "commands/Commands.h"
#include "commands/NulNameGuard.h"
#include "commands/RunPlan.h"
#include "platform/Dateiexistenz.h"
#include "platform/FileDirPath.h"
#include "platform/Others.h"
#include "platform/Processes.h"
#include "texts/Texts.h"

namespace {

struct ProgramStart {
  std::wstring program;  // the file that is started, by its full path
  std::wstring commandLine;
  std::wstring workingDirectory;  // empty: ours
  EntryStatus status = EntryStatus::Broken;  // the program's, as the row's status says
};

// The program is the file the row's status tests, as Windows reads the value (a REG_EXPAND_SZ
// text expanded, a REG_SZ text as written or expanded, whichever names a program that exists, a
// bare name found on the search path); whatever follows it in that reading is passed on as its
// arguments, and the folder is read as its own type says.
ProgramStart StartFromPanel(CommandHost& host) {
  const TypedText installation = host.PanelInstallation();
  const TypedText directory = host.PanelDirectory();
  const ProgramReading reading = ResolveProgram(installation.text, installation.type);
  ProgramStart start;
  start.program = reading.program;
  start.status = reading.status;
  start.commandLine = ProgramCommandLine(start.program, ArgumentsAfterProgram(reading.text));
  start.workingDirectory = WorkingDirectoryFor(
      TextAsWindowsReadsIt(directory.text, directory.type), start.program, PathExists);
  return start;
}

std::wstring TitleOfEntry(CommandHost& host) { return L" " + host.PanelBoxes().fileName; }

// A program named by its full path is named in the message with the system's reason why it
// cannot be had (not there, a folder on a drive that is gone, no access); anything else keeps the
// general message.
void ReportMissingProgram(CommandHost& host, const std::wstring& program) {
  const DWORD error = IsFullPath(program) ? FileAttributesError(program) : ERROR_SUCCESS;
  const std::wstring text = error == ERROR_SUCCESS
                                ? std::wstring(Texts::kRunFailed)
                                : std::wstring(Texts::kRunProgramMissing) + L"\n" + program +
                                      L"\n" + SystemMessage(error);
  host.Tell(text, MB_OK | MB_ICONWARNING, TitleOfEntry(host));
}

void ReportFailedStart(CommandHost& host, const std::wstring& program, DWORD error) {
  host.Tell(std::wstring(Texts::kRunStartFailed) + L"\n" + program + L"\n" + SystemMessage(error),
            MB_OK | MB_ICONSTOP, TitleOfEntry(host));
}

std::optional<UniqueHandle> StartWith(const ProgramStart& start, StartAs as, DWORD& error) {
  return StartProgram(start.program, start.commandLine, start.workingDirectory, SW_SHOWNORMAL,
                      &error, as);
}

// Only Yes starts with Velmarin's own rights: a box that could not be shown counts as No.
bool UserAllowsElevatedStart(CommandHost& host) {
  return host.Tell(Texts::kRunElevatedQuestion, MB_YESNO | MB_ICONWARNING) == IDYES;
}

// Run elevated, Velmarin must not hand administrator rights to a program the registration names
// (a folder the user may write would make that a way to run anything elevated): it starts as the
// signed-in user, and only when that user's rights cannot be had, after the user said so, as we.
std::optional<UniqueHandle> Start(CommandHost& host, const ProgramStart& start, DWORD& error) {
  if (!RunsElevated()) return StartWith(start, StartAs::ThisProcess, error);
  std::optional<UniqueHandle> process = StartWith(start, StartAs::DesktopUser, error);
  if (process || error != ERROR_NOT_FOUND) return process;
  if (!UserAllowsElevatedStart(host)) {
    error = ERROR_CANCELLED;
    return std::nullopt;
  }
  return StartWith(start, StartAs::ThisProcess, error);
}

}  // namespace

// The program is started by its own path with the command line naming it in quotes, so a path
// with blanks can never be read as a shorter program (C:\Program.exe for C:\Program Files\...).
// The working directory is handed to the new process; ours stays as it is. A program the file
// system could not tell about is started all the same: the system's reason, when it fails, says
// more than "not found".
void RunApplication(CommandHost& host) {
  if (host.SelectedEntry() == nullptr && host.SelectedDraft() == 0) return;
  if (const AppPathEntry* entry = host.SelectedEntry(); entry && RefusedForNul(host, entry->KeyName))
    return;
  const ProgramStart start = StartFromPanel(host);
  const bool mayBeThere =
      start.status == EntryStatus::Fine || start.status == EntryStatus::Unreachable;
  if (!IsFullPath(start.program) || !mayBeThere) {
    ReportMissingProgram(host, start.program);
    return;
  }
  DWORD error = ERROR_SUCCESS;
  const std::optional<UniqueHandle> process = Start(host, start, error);
  if (!process && error != ERROR_CANCELLED) ReportFailedStart(host, start.program, error);
}
