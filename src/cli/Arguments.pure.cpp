#include "cli/Arguments.h"

#include <utility>
#include <optional>

#include "texts/CommandLineTexts.h"
#include "texts/Texts.h"

namespace {
// Switches are ASCII; a locale's case mapping (a Turkish dotless i) must not change them.
std::wstring AsciiLower(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return text;
}

std::wstring SwitchName(const std::wstring& argument) {
  if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) return {};
  return AsciiLower(argument.substr(1));
}

CliRequest Problem(std::wstring problem) {
  CliRequest request;
  request.problem = std::move(problem);
  return request;
}

bool IsFormatSwitch(const std::wstring& argument) {
  return SwitchName(argument).starts_with(L"format");
}

std::optional<OutputFormat> FormatOf(const std::wstring& argument) {
  const std::wstring name = SwitchName(argument);
  if (name == L"format:tsv") return OutputFormat::Tsv;
  if (name == L"format:csv") return OutputFormat::Csv;
  if (name == L"format:json") return OutputFormat::Json;
  return std::nullopt;
}

bool TakesFormat(CliCommand command) {
  return command == CliCommand::Check || command == CliCommand::List ||
         command == CliCommand::Diff;
}

// The format switches apart from the rest, each side in its given order: a script may put
// `/format:json` before the command or after its file.
std::pair<std::vector<std::wstring>, std::vector<std::wstring>> FormatsApart(
    const std::vector<std::wstring>& arguments) {
  std::pair<std::vector<std::wstring>, std::vector<std::wstring>> apart;
  for (const std::wstring& argument : arguments)
    (IsFormatSwitch(argument) ? apart.first : apart.second).push_back(argument);
  return apart;
}

// At most one format, for a command that writes records.
CliRequest WithFormat(CliRequest request, const std::vector<std::wstring>& formats) {
  if (formats.empty() || request.command == CliCommand::Usage) return request;
  if (!TakesFormat(request.command)) return Problem(Texts::kCliSurplusArgument + formats[0]);
  if (formats.size() > 1) return Problem(Texts::kCliSurplusArgument + formats[1]);
  request.format = FormatOf(formats[0]);
  return request.format ? request : Problem(Texts::kCliUnknownFormat + formats[0]);
}

// A command and nothing after it.
CliRequest Alone(CliCommand command, const std::vector<std::wstring>& arguments) {
  if (arguments.size() > 1) return Problem(Texts::kCliSurplusArgument + arguments[1]);
  return CliRequest{command};
}

// /clean and /diff: exactly one file after the command.
CliRequest FileRequest(CliCommand command, const std::vector<std::wstring>& arguments,
                       const wchar_t* missing) {
  if (arguments.size() > 2) return Problem(Texts::kCliSurplusArgument + arguments[2]);
  if (arguments.size() < 2 || arguments[1].empty()) return Problem(missing);
  CliRequest request{command};
  (command == CliCommand::Clean ? request.undoFile : request.file) = arguments[1];
  return request;
}

// The command and its own arguments, the format switches taken out.
CliRequest CommandRequest(const std::vector<std::wstring>& arguments) {
  const std::wstring name = SwitchName(arguments[0]);
  if (name == L"check") return Alone(CliCommand::Check, arguments);
  if (name == L"list") return Alone(CliCommand::List, arguments);
  if (name == L"clean")
    return FileRequest(CliCommand::Clean, arguments, Texts::kCliMissingUndoFile);
  if (name == L"diff") return FileRequest(CliCommand::Diff, arguments, Texts::kCliMissingDiffFile);
  if (name != L"?" && name != L"h") return Problem(Texts::kCliUnknownSwitch + arguments[0]);
  return Alone(CliCommand::Help, arguments);
}
}  // namespace

CliRequest ParseArguments(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) return CliRequest{CliCommand::Help};
  const auto [formats, rest] = FormatsApart(arguments);
  if (rest.empty()) return Problem(Texts::kCliUnknownSwitch + formats[0]);
  return WithFormat(CommandRequest(rest), formats);
}

int CliExit::Count(size_t broken) {
  return broken > kMostCounted ? kMostCounted : static_cast<int>(broken);
}
