#include "cli/Arguments.h"

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
  return CliRequest{CliCommand::Usage, {}, std::move(problem)};
}

CliRequest Known(const std::wstring& name, const std::vector<std::wstring>& arguments) {
  if (name == L"check") return CliRequest{CliCommand::Check};
  if (name == L"?" || name == L"h") return CliRequest{CliCommand::Help};
  if (arguments.size() < 2 || arguments[1].empty()) return Problem(Texts::kCliMissingUndoFile);
  return CliRequest{CliCommand::Clean, arguments[1]};
}
}  // namespace

CliRequest ParseArguments(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) return CliRequest{CliCommand::Help};
  const std::wstring name = SwitchName(arguments[0]);
  if (name != L"check" && name != L"clean" && name != L"?" && name != L"h")
    return Problem(Texts::kCliUnknownSwitch + arguments[0]);
  const size_t expected = name == L"clean" ? 2 : 1;
  if (arguments.size() > expected) return Problem(Texts::kCliSurplusArgument + arguments[expected]);
  return Known(name, arguments);
}

int CliExit::Count(size_t broken) {
  return broken > kMostCounted ? kMostCounted : static_cast<int>(broken);
}
