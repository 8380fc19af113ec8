#pragma once
// The registrations in memory, in the registry's enumeration order. The window owns one; list
// rows carry the ids of its entries, and commands take the entry they act on from here, never
// from what a control shows. Platform-free.
#include <map>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "catalogue/ProgramDetails.h"

class Catalogue {
 public:
  // Replaces everything; every entry gets a new id.
  void Reset(std::vector<AppPathEntry> entries);

  const std::vector<AppPathEntry>& Entries() const { return entries_; }
  const AppPathEntry* Find(EntryId id) const;
  // The entry whose key the registry would open for `keyName` in that scope (letter case
  // ignored).
  const AppPathEntry* FindByKey(Scope scope, std::wstring_view keyName) const;

  // Takes `entry` in place of the one with the same scope and key, keeping that one's id;
  // otherwise adds it with a new id. Returns the id.
  EntryId Upsert(AppPathEntry entry);
  // Removes an entry or a draft.
  bool Remove(EntryId id);
  bool SetStatus(EntryId id, EntryStatus status);

  int BrokenCount() const;

  // What is known of an entry's program (its details are read off the window's thread and come
  // later); nothing until then. A changed or removed entry forgets them.
  const ProgramDetails* Details(EntryId id) const;
  bool SetDetails(EntryId id, ProgramDetails details);

  // A new registration still to be typed, shown as a row of its own until it is saved or
  // dropped: never counted, never found by its key or by Find, kept when the entries are
  // replaced. Returns its id.
  EntryId AddDraft(AppPathEntry draft);
  const AppPathEntry* Draft(EntryId id) const;

  // A machine-wide entry that Windows never reads: the user has one of the same name.
  bool HiddenByUser(const AppPathEntry& entry) const;
  // The other scope's entry of the same name, if any (whose Hidden status this one decides).
  const AppPathEntry* Twin(const AppPathEntry& entry) const;

 private:
  void Reindex();
  std::vector<AppPathEntry>::const_iterator Position(EntryId id) const;
  void ForgetDetails(EntryId id);

  // In ascending id order (a new entry has the highest id and comes last), so an id is found
  // by halving.
  std::vector<AppPathEntry> entries_;
  std::vector<AppPathEntry> drafts_;
  // Thousands of registrations name a handful of programs: each distinct record is held once,
  // with the number of entries that share it.
  std::map<ProgramDetails, size_t> detailRecords_;
  std::unordered_map<EntryId, const ProgramDetails*> details_;
  // Scope and upper-cased key name to id: finding a key costs the same for 10 or 10,000.
  std::unordered_map<std::wstring, EntryId> idOfKey_;
  EntryId nextId_ = 1;
};
