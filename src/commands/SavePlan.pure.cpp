#include "commands/SavePlan.h"

bool ValueWasEdited(std::wstring_view text, std::wstring_view loaded, bool writeAnyway) {
  return writeAnyway || text != loaded;
}

bool HoldsVariableReference(std::wstring_view text) {
  const size_t open = text.find(L'%');
  if (open == std::wstring_view::npos) return false;
  const size_t close = text.find(L'%', open + 1);
  return close != std::wstring_view::npos && close > open + 1;
}

Registry::RawValue ValueToWrite(const std::wstring& name, std::wstring_view text,
                                const std::optional<Registry::RawValue>& stored) {
  const bool expand = stored && stored->type == Registry::kTypeExpandString &&
                      HoldsVariableReference(text);
  return Registry::TextValue(name, text,
                             expand ? Registry::kTypeExpandString : Registry::kTypeString);
}
