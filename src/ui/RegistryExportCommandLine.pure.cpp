#include "ui/RegistryExportCommandLine.h"

namespace {

bool Quotable(std::wstring_view part) {
  return !part.empty() && part.find_first_of(L"\"\r\n") == std::wstring_view::npos &&
         part.find(L'\0') == std::wstring_view::npos;
}

// Backslashes in front of the closing quote would escape it; doubling them keeps them literal.
std::wstring Quoted(std::wstring_view part) {
  size_t trailing = 0;
  while (trailing < part.size() && part[part.size() - 1 - trailing] == L'\\') ++trailing;
  std::wstring quoted = L"\"";
  quoted.append(part);
  quoted.append(trailing, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

}  // namespace

std::optional<std::wstring> RegistryExportCommandLine(std::wstring_view editor,
                                                      std::wstring_view file,
                                                      std::wstring_view key) {
  if (!Quotable(editor) || !Quotable(file) || !Quotable(key)) return std::nullopt;
  return Quoted(editor) + L" /e " + Quoted(file) + L" " + Quoted(key);
}
