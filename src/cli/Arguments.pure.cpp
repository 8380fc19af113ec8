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

// `/format:json /list` reads as `/list /format:json`: the order is easily swapped in a script.
std::vector<std::wstring> CommandFirst(std::vector<std::wstring> arguments) {
  if (arguments.size() > 1 && IsFormatSwitch(arguments[0]))
    std::swap(arguments[0], arguments[1]);
  return arguments;
}

// /check and /list: at most one format switch after the command.
CliRequest WithFormat(CliCommand command, const std::vector<std::wstring>& arguments) {
  CliRequest request{command};
  for (size_t i = 1; i < arguments.size(); ++i) {
    if (i > 1 || !IsFormatSwitch(arguments[i]))
      return Problem(Texts::kCliSurplusArgument + arguments[i]);
    const std::optional<OutputFormat> format = FormatOf(arguments[i]);
    if (!format) return Problem(Texts::kCliUnknownFormat + arguments[i]);
    request.format = *format;
  }
  return request;
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
}  // namespace

CliRequest ParseArguments(const std::vector<std::wstring>& given) {
  if (given.empty()) return CliRequest{CliCommand::Help};
  const std::vector<std::wstring> arguments = CommandFirst(given);
  const std::wstring name = SwitchName(arguments[0]);
  if (name == L"check") return WithFormat(CliCommand::Check, arguments);
  if (name == L"list") return WithFormat(CliCommand::List, arguments);
  if (name == L"clean") return FileRequest(CliCommand::Clean, arguments, Texts::kCliMissingUndoFile);
  if (name == L"diff") return FileRequest(CliCommand::Diff, arguments, Texts::kCliMissingDiffFile);
  if (name != L"?" && name != L"h") return Problem(Texts::kCliUnknownSwitch + arguments[0]);
  if (arguments.size() > 1) return Problem(Texts::kCliSurplusArgument + arguments[1]);
  return CliRequest{CliCommand::Help};
}

int CliExit::Count(size_t broken) {
  return broken > kMostCounted ? kMostCounted : static_cast<int>(broken);
}
