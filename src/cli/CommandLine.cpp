#include "cli/CommandLine.h"

#include "catalogue/CleanUpSelection.h"
#include "cli/Arguments.h"
#include "cli/CleanCommand.h"
#include "cli/Console.h"
#include "cli/Formats.h"
#include "cli/DiffCommand.h"
#include "cli/Registrations.h"
#include "cli/Report.h"
#include "texts/CommandLineTexts.h"
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

// Both keys can be listed; else says why on the error output.
bool KeysReadable() {
  const std::optional<UnreadableKey> unreadable = FindUnreadableKey();
  if (unreadable) ReportUnreadable(*unreadable);
  return !unreadable;
}

void WriteRecords(OutputChannel& out, OutputFormat format,
                  const std::vector<ListedRegistration>& registrations) {
  for (const std::wstring& line : FormattedLines(format, registrations)) out.WriteLine(line);
}

int List(OutputChannel& out, OutputFormat format) {
  if (!KeysReadable()) return CliExit::kUnreadableKey;
  std::vector<ListedRegistration> registrations;
  for (const AppPathEntry& entry : RegistrationsWithStatus())
    registrations.push_back(Listed(entry));
  WriteRecords(out, format, registrations);
  return 0;
}

// The tab-separated lines stay as scripts written for them know them; CSV and JSON carry
// the records of /list.
int Check(OutputChannel& out, OutputFormat format) {
  if (!KeysReadable()) return CliExit::kUnreadableKey;
  const std::vector<AppPathEntry> entries = RegistrationsWithStatus();
  // Whether a broken registration may go does not matter to the report.
  const std::vector<CleanUpCandidate> broken = BrokenEntries(entries, true);
  if (format == OutputFormat::Tsv) {
    for (const CleanUpCandidate& candidate : broken) out.WriteLine(CheckLine(*candidate.entry));
  } else {
    std::vector<ListedRegistration> registrations;
    for (const CleanUpCandidate& candidate : broken)
      registrations.push_back(Listed(*candidate.entry));
    WriteRecords(out, format, registrations);
  }
  return CliExit::Count(broken.size());
}
}  // namespace

int RunCommandLine(const std::vector<std::wstring>& arguments) {
  const CliRequest request = ParseArguments(arguments);
  if (request.command == CliCommand::Usage) return RefuseArguments(request.problem);
  OutputChannel out(STD_OUTPUT_HANDLE);
  switch (request.command) {
    case CliCommand::Check:
      return Check(out, request.format);
    case CliCommand::List:
      return List(out, request.format);
    case CliCommand::Clean:
      return Clean(request.undoFile, out);
    case CliCommand::Diff:
      return Diff(request.file, out);
    default:
      return ShowUsage(out);
  }
}
