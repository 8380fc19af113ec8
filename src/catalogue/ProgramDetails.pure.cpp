#include "catalogue/ProgramDetails.h"

#include <algorithm>

#include "catalogue/Catalogue.h"
#include "platform/Text.h"

const char* WarningCode(HijackWarning warning) {
  switch (warning) {
    case HijackWarning::HidesMachine:
      return "hides-machine";
    case HijackWarning::HidesWindowsProgram:
      return "hides-windows-program";
    case HijackWarning::UserWritable:
      break;
  }
  return "user-writable";
}

DetailsRequest DetailsRequestOf(const Catalogue& catalogue, const AppPathEntry& entry) {
  DetailsRequest request{entry.Scope, entry.StoredInstallation, entry.StoredDirectory};
  if (entry.Scope == Scope::User)
    if (const AppPathEntry* machine = catalogue.Twin(entry)) {
      request.HidesMachine = true;
      request.HiddenInstallation = machine->StoredInstallation;
    }
  return request;
}

std::vector<HijackWarning> HijackWarnings(const HijackFacts& facts) {
  if (facts.Scope == Scope::User && facts.HidesMachine)
    return {facts.WindowsProgram ? HijackWarning::HidesWindowsProgram
                                 : HijackWarning::HidesMachine};
  if (facts.Scope == Scope::Machine && facts.UserWritable) return {HijackWarning::UserWritable};
  return {};
}

namespace {
std::wstring_view Trimmed(std::wstring_view part) {
  const size_t first = part.find_first_not_of(L" \t");
  if (first == std::wstring_view::npos) return {};
  part = part.substr(first, part.find_last_not_of(L" \t") - first + 1);
  if (part.size() >= 2 && part.front() == L'"' && part.back() == L'"')
    part = part.substr(1, part.size() - 2);
  return part;
}
}  // namespace

std::vector<std::wstring> PathFolders(std::wstring_view path) {
  std::vector<std::wstring> folders;
  for (size_t start = 0; start <= path.size();) {
    const size_t end = std::min(path.find(L';', start), path.size());
    const std::wstring_view folder = Trimmed(path.substr(start, end - start));
    if (!folder.empty()) folders.emplace_back(folder);
    start = end + 1;
  }
  return folders;
}

bool LiesInFolder(std::wstring_view path, std::wstring_view folder) {
  while (!folder.empty() && folder.back() == L'\\') folder.remove_suffix(1);
  if (folder.empty() || path.size() <= folder.size() + 1 || path[folder.size()] != L'\\')
    return false;
  return ToUpper(path.substr(0, folder.size())) == ToUpper(folder);
}
