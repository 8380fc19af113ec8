#include "catalogue/StoredNames.h"

#include <vector>

#include "platform/Registry.h"
#include "platform/Text.h"

std::optional<std::wstring> StoredNames::Find(HKEY root, const std::wstring& keyName,
                                              DWORD& error) {
  const Listing& listing = ListingOf(root);
  const auto found = listing.names.find(ToUpper(keyName));
  if (found != listing.names.end()) return found->second;
  error = listing.error != ERROR_SUCCESS ? listing.error : ERROR_FILE_NOT_FOUND;
  return std::nullopt;
}

const StoredNames::Listing& StoredNames::ListingOf(HKEY root) {
  auto [at, added] = byRoot_.try_emplace(root);
  if (!added) return at->second;
  std::vector<std::wstring> names;
  LONG error = ERROR_SUCCESS;
  Registry::EnumerateKeys(root, Registry::kAppPathsKey, names, &error);
  at->second.error = static_cast<DWORD>(error);
  for (std::wstring& name : names) at->second.names.emplace(ToUpper(name), std::move(name));
  return at->second;
}
