#include "commands/ExportPlan.h"

#include "platform/RegistryData.h"

namespace {
constexpr size_t kReplacedLength = 3;
}  // namespace

std::wstring ExportKeyPath(std::wstring_view rootName, std::wstring_view entryName) {
  return std::wstring(rootName) + L"\\" + Registry::kAppPathsPrefix + std::wstring(entryName);
}

std::wstring ExportProposal(std::wstring_view entryName) {
  if (entryName.size() < kReplacedLength) return {};
  return std::wstring(entryName.substr(0, entryName.size() - kReplacedLength)) + L"reg";
}
