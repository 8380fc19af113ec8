#include "catalogue/Comparison.h"

#include <windows.h>

#include <optional>

#include "catalogue/Scan.h"
#include "platform/FileContent.h"
#include "platform/Registry.h"

namespace {

// Far more than both App Paths keys of any machine; a larger file is no export of them.
constexpr uint64_t kLargestFile = 256ull << 20;

// The scope's registrations each read whole, so that a key that cannot be read is named. A key
// that went between the listing and its reading is left out; a missing App Paths key is empty.
bool ReadScope(Scope scope, Comparison& comparison) {
  std::vector<std::wstring> names;
  LONG error = ERROR_SUCCESS;
  Registry::EnumerateKeys(RootOf(scope), Registry::kAppPathsKey, names, &error);
  Registry::KeyTree& appPaths = comparison.now.Of(scope).emplace();
  appPaths.name = L"App Paths";
  if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) {
    comparison.keyPath = AppPathsKeyName(scope);
  } else {
    for (const std::wstring& name : names) {
      std::optional<Registry::KeyTree> tree =
          Registry::ReadKeyTree(RootOf(scope), EntryKeyPath(name), &error);
      if (tree) {
        appPaths.subKeys.push_back(std::move(*tree));
      } else if (error != ERROR_FILE_NOT_FOUND) {
        comparison.keyPath = AppPathsKeyName(scope, name);
        break;
      }
    }
  }
  if (comparison.keyPath.empty()) return true;
  comparison.failedStep = ComparisonStep::ReadRegistry;
  comparison.error = static_cast<uint32_t>(error);
  return false;
}

}  // namespace

Comparison CompareWithFile(const std::wstring& path) {
  Comparison comparison;
  DWORD error = ERROR_SUCCESS;
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, error, kLargestFile);
  if (!bytes) {
    comparison.failedStep = ComparisonStep::ReadFile;
    comparison.error = error;
    return comparison;
  }
  AppPathsReading reading = ReadAppPathsFile(*bytes);
  if (reading.problem != RegFile::ReadProblem::None) {
    comparison.failedStep = ComparisonStep::RefuseFile;
    comparison.problem = reading.problem;
    comparison.line = reading.line;
    return comparison;
  }
  comparison.file = std::move(reading.keys);
  for (const Scope scope : {Scope::Machine, Scope::User})
    if (comparison.file.Of(scope) && !ReadScope(scope, comparison)) return comparison;
  comparison.differences = Compare(comparison.now, comparison.file);
  return comparison;
}
