#include "commands/ExportPlan.h"

namespace {
constexpr std::wstring_view kAppPathsOfMachine =
    L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr size_t kReplacedLength = 3;
}  // namespace

std::wstring ExportKeyPath(std::wstring_view entryName) {
  return std::wstring(kAppPathsOfMachine) + std::wstring(entryName);
}

std::wstring ExportProposal(std::wstring_view entryName) {
  if (entryName.size() < kReplacedLength) return {};
  return std::wstring(entryName.substr(0, entryName.size() - kReplacedLength)) + L"reg";
}
