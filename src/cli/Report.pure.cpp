#include "cli/Report.h"

#include "ui/Texts.h"

namespace {
const wchar_t* ScopeWord(Scope scope) {
  return scope == Scope::Machine ? Texts::kScopeMachine : Texts::kScopeUser;
}

const wchar_t* StatusWord(EntryStatus status) {
  return status == EntryStatus::FileNotFound ? Texts::kLegendNotFound : Texts::kLegendBroken;
}

// The default value as the registry holds it, not as the window shows it (no folder tokens
// replaced): the administrator compares it with what regedit shows.
std::wstring StoredInstallation(const AppPathEntry& entry) {
  if (!entry.StoredInstallation) return {};
  return Registry::TextOfRaw(*entry.StoredInstallation).value_or(std::wstring());
}
}  // namespace

std::wstring CheckLine(const AppPathEntry& entry) {
  return RemovedLine(entry.Scope, entry.KeyName) + L'\t' + StatusWord(entry.Status) + L'\t' +
         StoredInstallation(entry);
}

std::wstring RemovedLine(Scope scope, const std::wstring& keyName) {
  return ScopeWord(scope) + (L'\t' + keyName);
}

std::wstring KeptLine(Scope scope, const std::wstring& keyName, const std::wstring& why) {
  return RemovedLine(scope, keyName) + L'\t' + why;
}
