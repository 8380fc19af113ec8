#include "catalogue/Resolution.h"

#include "catalogue/EntryValues.h"
#include "platform/RegistryData.h"

std::wstring TextAsWindowsReadsIt(std::wstring_view stored, uint32_t type,
                                  const Expansion& expand) {
  if (type == Registry::kTypeExpandString && expand) return expand(stored);
  return std::wstring(stored);
}

bool IsBareName(std::wstring_view program) {
  return program.find_first_of(L"\\/:") == std::wstring_view::npos;
}

std::vector<std::wstring> ReadingsOf(std::wstring_view stored, uint32_t type,
                                     const Expansion& expand) {
  std::vector<std::wstring> readings{TextAsWindowsReadsIt(stored, type, expand)};
  if (type != Registry::kTypeString || !expand || !HoldsVariableReference(stored))
    return readings;
  std::wstring expanded = expand(stored);
  if (expanded != readings.front()) readings.push_back(std::move(expanded));
  return readings;
}
