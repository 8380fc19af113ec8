#include "commands/RunPlan.h"

#include "platform/FileDirPath.h"

namespace {
constexpr wchar_t kQuote = L'"';

void DropLastIf(std::wstring& text, wchar_t c) {
  if (!text.empty() && text.back() == c) text.pop_back();
}

void DropFirstIf(std::wstring& text, wchar_t c) {
  if (!text.empty() && text.front() == c) text.erase(0, 1);
}

bool StartsWithSeparator(std::wstring_view arguments) {
  return arguments.front() == L' ' || arguments.front() == L'\t';
}
}  // namespace

std::wstring CleanedDirectory(std::wstring_view directoryText) {
  std::wstring directory(directoryText);
  DropLastIf(directory, L';');
  DropLastIf(directory, kQuote);
  DropFirstIf(directory, kQuote);
  return directory;
}

std::wstring WorkingDirectoryFor(std::wstring_view directoryText, const std::wstring& program,
                                 const PathTest& pathExists) {
  const std::wstring directory = CleanedDirectory(directoryText);
  if (!directory.empty()) return pathExists(directory) ? directory : std::wstring();
  const std::wstring programFolder = DirectoryPart(program);
  if (programFolder.empty() || !pathExists(programFolder)) return {};
  return programFolder;
}

std::wstring ProgramCommandLine(std::wstring_view program, std::wstring_view arguments) {
  std::wstring line = L"\"" + std::wstring(program) + L"\"";
  if (arguments.empty()) return line;
  if (!StartsWithSeparator(arguments)) line += L' ';
  return line + std::wstring(arguments);
}
