#include "commands/RenamePlan.h"

#include "platform/Text.h"

bool NamesTheSameKey(const std::wstring& oldName, const std::wstring& newName) {
  return ToUpper(oldName) == ToUpper(newName);
}
