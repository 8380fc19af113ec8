#include "ui/EditorPanelRules.h"

#include "catalogue/AppPathEntry.h"
#include "platform/FileDirPath.h"
#include "texts/Texts.h"

namespace {
constexpr wchar_t kBackspace = 8;
constexpr wchar_t kTab = L'\t';
constexpr wchar_t kSeparator = L'\\';
constexpr wchar_t kListEnd = L';';

// The folder as one entry of a search-path list: C:\Tools\ -> C:\Tools;
std::wstring DirectoryListEntry(const std::wstring& folder) {
  if (folder.empty() || folder.back() != kSeparator) return folder;
  return folder.substr(0, folder.size() - 1) + kListEnd;
}
}  // namespace

bool EmptiesDirectory(wchar_t typed) { return typed == kBackspace; }

BrowsedProgram ProgramFromChosenFile(std::wstring_view path) {
  const std::wstring chosen(path);
  BrowsedProgram program;
  program.fileName = FileNameFromKeyName(FileNamePart(chosen));
  program.folder = DirectoryPart(chosen);
  program.installation = program.folder + program.fileName;
  program.directory = DirectoryListEntry(program.folder);
  return program;
}

std::wstring FileNameAfterBrowse(std::wstring_view fileNameBox, std::wstring_view chosenName) {
  if (fileNameBox.empty() || fileNameBox == Texts::kNewEntry) return std::wstring(chosenName);
  return std::wstring(fileNameBox);
}
