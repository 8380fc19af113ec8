#pragma once
// The registrations in memory, in the registry's enumeration order. The window owns one; list
// rows carry the ids of its entries, and commands take the entry they act on from here, never
// from what a control shows. Platform-free.
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/AppPathEntry.h"

class Catalogue {
 public:
  // Replaces everything; every entry gets a new id.
  void Reset(std::vector<AppPathEntry> entries);

  const std::vector<AppPathEntry>& Entries() const { return entries_; }
  const AppPathEntry* Find(EntryId id) const;
  // The entry whose key the registry would open for `keyName` (letter case ignored).
  const AppPathEntry* FindByKey(std::wstring_view keyName) const;

  // Takes `entry` in place of the one with the same key, keeping that one's id; otherwise adds
  // it with a new id. Returns the id.
  EntryId Upsert(AppPathEntry entry);
  bool Remove(EntryId id);
  bool SetStatus(EntryId id, EntryStatus status);

  int BrokenCount() const;

 private:
  void Reindex();

  std::vector<AppPathEntry> entries_;
  std::unordered_map<EntryId, size_t> indexOf_;
  EntryId nextId_ = 1;
};
