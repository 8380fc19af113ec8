#include "cli/Registrations.h"

#include "catalogue/Catalogue.h"
#include "catalogue/ProgramDetails.h"
#include "catalogue/Resolution.h"
#include "catalogue/Scan.h"
#include "cli/Console.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "texts/CommandLineTexts.h"
#include "texts/Texts.h"

std::optional<UnreadableKey> FindUnreadableKey() {
  for (const Scope scope : {Scope::Machine, Scope::User}) {
    std::vector<std::wstring> names;
    LONG error = ERROR_SUCCESS;
    Registry::EnumerateKeys(RootOf(scope), Registry::kAppPathsKey, names, &error);
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND)
      return UnreadableKey{scope, static_cast<DWORD>(error)};
  }
  return std::nullopt;
}

void ReportUnreadable(const UnreadableKey& unreadable) {
  OutputChannel err(STD_ERROR_HANDLE);
  err.WriteLine(Texts::kCliUnreadableKey + AppPathsKeyName(unreadable.scope));
  err.WriteLine(Texts::kCliReason + ReasonText(unreadable.error));
}

Catalogue RegistrationsWithStatus() {
  Catalogue catalogue;
  catalogue.Reset(ScanBothScopes());
  for (const AppPathEntry& entry : std::vector<AppPathEntry>(catalogue.Entries()))
    catalogue.SetStatus(entry.Id, catalogue.HiddenByUser(entry) ? EntryStatus::Hidden
                                                                : EntryStatusOf(entry));
  return catalogue;
}

ListedRegistration Listed(const Catalogue& registrations, const AppPathEntry& entry) {
  return ListedRegistration{entry, StartedProgram(entry),
                            ComputeProgramDetails(DetailsRequestOf(registrations, entry))};
}

std::wstring ReasonText(DWORD error) {
  const std::wstring text = SystemMessage(error);
  return text.empty() ? Texts::kErrorCode + std::to_wstring(error) : text;
}

std::wstring AbsolutePath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
  return full;
}
