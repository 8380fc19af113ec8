#include "cli/Report.h"

#include "cli/Records.h"
#include "platform/ControlPictures.h"
#include "texts/Texts.h"

namespace {
const wchar_t* ScopeWord(Scope scope) {
  return scope == Scope::Machine ? Texts::kScopeMachine : Texts::kScopeUser;
}

// The default value as the registry holds it, not as the window shows it (no folder tokens
// replaced): the administrator compares it with what regedit shows. Its control characters as
// their pictures, like the key name's.
std::wstring StoredInstallation(const AppPathEntry& entry) {
  if (!entry.StoredInstallation) return {};
  return WithControlPictures(
      Registry::TextOfRaw(*entry.StoredInstallation).value_or(std::wstring()));
}

// As a registration file names them, so that the default value and a value named "@" differ.
std::wstring PartField(const ChangedPart& part) {
  if (part.subKey) return L'[' + part.name + L']';
  return part.name.empty() ? L"@" : L'"' + part.name + L'"';
}
}  // namespace

std::wstring CheckLine(const AppPathEntry& entry) {
  return RemovedLine(entry.Scope, entry.KeyName) + L'\t' + WordsOf(entry.Status).text + L'\t' +
         StoredInstallation(entry);
}

std::wstring RemovedLine(Scope scope, const std::wstring& keyName) {
  return ScopeWord(scope) + (L'\t' + WithControlPictures(keyName));
}

std::wstring KeptLine(Scope scope, const std::wstring& keyName, const std::wstring& why) {
  return RemovedLine(scope, keyName) + L'\t' + why;
}

std::vector<std::wstring> DiffFields(const Difference& difference) {
  std::vector<std::wstring> fields = {ChangeWord(difference.change), ScopeWord(difference.scope),
                                      difference.keyName};
  for (std::wstring& part : ChangedParts(difference)) fields.push_back(std::move(part));
  return fields;
}

const wchar_t* ChangeWord(Change change) {
  switch (change) {
    case Change::Added:
      return L"added";
    case Change::Removed:
      return L"removed";
    case Change::Changed:
      break;
  }
  return L"changed";
}

std::vector<std::wstring> ChangedParts(const Difference& difference) {
  std::vector<std::wstring> parts;
  for (const ChangedPart& part : difference.parts) parts.push_back(PartField(part));
  return parts;
}

std::wstring TabSeparated(const std::vector<std::wstring>& fields) {
  std::wstring line;
  for (const std::wstring& field : fields) {
    if (&field != &fields.front()) line += L'\t';
    line += WithControlPictures(field);  // only the separators are real TABs
  }
  return line;
}
