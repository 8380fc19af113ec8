#pragma once
// What a registration file says the two App Paths keys hold: the file read by RegFileReader, each
// key checked to be one of the two App Paths keys or below one, and its sections applied in order
// as an import applies them (a later value of a name replaces an earlier one, [-KEY] removes what
// came before). Platform-free.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "catalogue/RegFileReader.h"
#include "platform/RegistryData.h"

// Both App Paths keys, each with everything below it; its registrations are its sub-keys.
struct AppPathsKeys {
  std::optional<Registry::KeyTree> machine;  // nothing: not held (by the file) or not there
  std::optional<Registry::KeyTree> user;

  const std::optional<Registry::KeyTree>& Of(Scope scope) const {
    return scope == Scope::Machine ? machine : user;
  }
  std::optional<Registry::KeyTree>& Of(Scope scope) {
    return scope == Scope::Machine ? machine : user;
  }
};

struct AppPathsReading {
  AppPathsKeys keys;  // a scope the file names no key of is nothing
  RegFile::ReadProblem problem = RegFile::ReadProblem::None;
  size_t line = 0;  // where the problem lies, counted from 1
};

// The file's bytes (either encoding). A key outside both App Paths keys refuses the whole file;
// root and path are matched letter case ignored, the roots by their full names only
// (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER), as the registry editor reads them.
AppPathsReading ReadAppPathsFile(const std::vector<uint8_t>& bytes);
