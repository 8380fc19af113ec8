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

void WriteRecords(OutputChannel& out, OutputFormat format, const Catalogue& registrations,
                  const std::vector<const AppPathEntry*>& entries) {
  std::vector<ListedRegistration> listed;
  for (const AppPathEntry* entry : entries) listed.push_back(Listed(registrations, *entry));
  out.WriteLines(FormattedLines(format, RegistrationRecords(listed)));
}

int List(OutputChannel& out, OutputFormat format) {
  if (!KeysReadable()) return CliExit::kUnreadableKey;
  const Catalogue registrations = RegistrationsWithStatus();
  std::vector<const AppPathEntry*> entries;
  for (const AppPathEntry& entry : registrations.Entries()) entries.push_back(&entry);
  WriteRecords(out, format, registrations, entries);
  return 0;
}

// Without a format the lines stay as scripts written for them know them; with one, the
// records of /list.
int Check(OutputChannel& out, std::optional<OutputFormat> format) {
  if (!KeysReadable()) return CliExit::kUnreadableKey;
  const Catalogue registrations = RegistrationsWithStatus();
  // Whether a broken registration may go does not matter to the report.
  const std::vector<CleanUpCandidate> broken = BrokenEntries(registrations.Entries(), true);
  std::vector<const AppPathEntry*> entries;
  for (const CleanUpCandidate& candidate : broken) entries.push_back(candidate.entry);
  if (format)
    WriteRecords(out, *format, registrations, entries);
  else
    for (const AppPathEntry* entry : entries) out.WriteLine(CheckLine(*entry));
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
      return List(out, request.format.value_or(OutputFormat::Tsv));
    case CliCommand::Clean:
      return Clean(request.undoFile, out);
    case CliCommand::Diff:
      return Diff(request.file, request.format, out);
    default:
      return ShowUsage(out);
  }
}
