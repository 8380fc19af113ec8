#include "cli/DiffCommand.h"

#include "catalogue/Comparison.h"
#include "cli/Arguments.h"
#include "cli/Formats.h"
#include "cli/Registrations.h"
#include "cli/Report.h"
#include "texts/CommandLineTexts.h"
#include "texts/Texts.h"

namespace {
int ReportFailure(const Comparison& comparison, const std::wstring& file) {
  OutputChannel err(STD_ERROR_HANDLE);
  switch (comparison.failedStep) {
    case ComparisonStep::ReadFile:
      err.WriteLine(Texts::kCliDiffFileUnreadable + file);
      err.WriteLine(Texts::kCliReason + ReasonText(comparison.error));
      return CliExit::kFileRefused;
    case ComparisonStep::RefuseFile:
      err.WriteLine(Texts::kCliDiffFileRefused + file);
      err.WriteLine(Texts::kCliLine + std::to_wstring(comparison.line) + L": " +
                    Texts::RegFileProblem(comparison.problem));
      return CliExit::kFileRefused;
    default:
      err.WriteLine(Texts::kCliUnreadableKey + comparison.keyPath);
      err.WriteLine(Texts::kCliReason + ReasonText(comparison.error));
      return CliExit::kUnreadableKey;
  }
}
}  // namespace

int Diff(const std::wstring& fileArgument, std::optional<OutputFormat> format, OutputChannel& out) {
  const std::wstring file = AbsolutePath(fileArgument);
  const Comparison comparison = CompareWithFile(file);
  if (!comparison.ok()) return ReportFailure(comparison, file);
  if (format)
    out.WriteLines(FormattedLines(*format, DifferenceRecords(comparison.differences)));
  else
    for (const Difference& difference : comparison.differences)
      out.WriteLine(TabSeparated(DiffFields(difference)));
  return CliExit::Count(comparison.differences.size());
}
