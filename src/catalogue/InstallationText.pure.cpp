#include "catalogue/InstallationText.h"

#include "platform/Text.h"

namespace {
constexpr wchar_t kQuote = L'"';
constexpr std::wstring_view kExeBeforeArguments = L".exe ";
constexpr std::wstring_view kExeExtension = L".exe";

// "C:\Program Files\Tool\tool.exe" /n -> C:\Program Files\Tool\tool.exe; an unclosed quote
// runs to the end.
std::wstring BetweenQuotes(std::wstring_view quoted) {
  const std::wstring_view inner = quoted.substr(1);
  return std::wstring(inner.substr(0, inner.find(kQuote)));
}

}  // namespace

std::wstring TestedPath(std::wstring_view installation) {
  if (!installation.empty() && installation.front() == kQuote) return BetweenQuotes(installation);
  const size_t arguments = FindIgnoreCase(installation, kExeBeforeArguments);
  if (arguments == std::wstring::npos) return std::wstring(installation);
  return std::wstring(installation.substr(0, arguments)) + std::wstring(kExeExtension);
}

std::wstring ArgumentsAfterProgram(std::wstring_view installation) {
  if (!installation.empty() && installation.front() == kQuote) {
    const size_t closing = installation.find(kQuote, 1);
    return closing == std::wstring_view::npos ? std::wstring()
                                              : std::wstring(installation.substr(closing + 1));
  }
  const size_t arguments = FindIgnoreCase(installation, kExeBeforeArguments);
  if (arguments == std::wstring::npos) return {};
  return std::wstring(installation.substr(arguments + kExeExtension.size()));
}

