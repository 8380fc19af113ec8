#include "cli/CommandLine.h"

#include "catalogue/CleanUpSelection.h"
#include "cli/Arguments.h"
#include "cli/CleanCommand.h"
#include "cli/Console.h"
#include "cli/Registrations.h"
#include "cli/Report.h"
#include "texts/Texts.h"

namespace {
int ShowUsage(OutputChannel& out) {
  for (const wchar_t* line : Texts::kCliUsage) out.WriteLine(line);
  return 0;
}

int RefuseArguments(const std::wstring& problem) {
  OutputChannel err(STD_ERROR_HANDLE);
  err.WriteLine(problem);
  err.WriteLine(L"");
  ShowUsage(err);
  return CliExit::kUsage;
}

int Check(OutputChannel& out) {
  if (const std::optional<UnreadableKey> unreadable = FindUnreadableKey()) {
    ReportUnreadable(*unreadable);
    return CliExit::kUnreadableKey;
  }
  const std::vector<AppPathEntry> entries = RegistrationsWithStatus();
  // Whether a broken registration may go does not matter to the report.
  const std::vector<CleanUpCandidate> broken = BrokenEntries(entries, true);
  for (const CleanUpCandidate& candidate : broken) out.WriteLine(CheckLine(*candidate.entry));
  return CliExit::Count(broken.size());
}
}  // namespace

int RunCommandLine(const std::vector<std::wstring>& arguments) {
  const CliRequest request = ParseArguments(arguments);
  if (request.command == CliCommand::Usage) return RefuseArguments(request.problem);
  OutputChannel out(STD_OUTPUT_HANDLE);
  switch (request.command) {
    case CliCommand::Check:
      return Check(out);
    case CliCommand::Clean:
      return Clean(request.undoFile, out);
    default:
      return ShowUsage(out);
  }
}
