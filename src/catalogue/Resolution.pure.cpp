#include "catalogue/Resolution.h"

#include "platform/RegistryData.h"

std::wstring TextAsWindowsReadsIt(std::wstring_view stored, uint32_t type,
                                  const Expansion& expand) {
  if (type == Registry::kTypeExpandString && expand) return expand(stored);
  return std::wstring(stored);
}

bool IsBareName(std::wstring_view program) {
  return program.find_first_of(L"\\/:") == std::wstring_view::npos;
}
