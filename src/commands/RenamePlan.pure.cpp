#include "commands/RenamePlan.h"

#include "platform/Text.h"

bool NamesTheSameKey(const std::wstring& oldName, const std::wstring& newName) {
  return ToUpper(oldName) == ToUpper(newName);
}

bool NamesOneRegistration(const std::wstring& name) {
  return !name.empty() && name.find(L'\\') == std::wstring::npos;
}
