#include "commands/ExportPlan.h"

namespace {
constexpr size_t kReplacedLength = 3;
}  // namespace

std::wstring ExportProposal(std::wstring_view entryName) {
  if (entryName.size() < kReplacedLength) return {};
  return std::wstring(entryName.substr(0, entryName.size() - kReplacedLength)) + L"reg";
}
