#include "catalogue/Catalogue.h"

#include <algorithm>

#include "platform/Text.h"

namespace {
std::wstring KeyOf(Scope scope, std::wstring_view keyName) {
  return (scope == Scope::Machine ? L"M" : L"U") + ToUpper(keyName);
}
}  // namespace

void Catalogue::Reset(std::vector<AppPathEntry> entries) {
  entries_ = std::move(entries);
  details_.clear();
  detailRecords_.clear();
  for (AppPathEntry& entry : entries_) entry.Id = nextId_++;
  Reindex();
}

void Catalogue::Reindex() {
  idOfKey_.clear();
  idOfKey_.reserve(entries_.size());
  for (const AppPathEntry& entry : entries_)
    idOfKey_.emplace(KeyOf(entry.Scope, entry.KeyName), entry.Id);
}

std::vector<AppPathEntry>::const_iterator Catalogue::Position(EntryId id) const {
  const auto at = std::lower_bound(entries_.begin(), entries_.end(), id,
                                   [](const AppPathEntry& entry, EntryId wanted) { return entry.Id < wanted; });
  return at != entries_.end() && at->Id == id ? at : entries_.end();
}

const AppPathEntry* Catalogue::Find(EntryId id) const {
  const auto at = Position(id);
  return at == entries_.end() ? nullptr : &*at;
}

const AppPathEntry* Catalogue::FindByKey(Scope scope, std::wstring_view keyName) const {
  const auto found = idOfKey_.find(KeyOf(scope, keyName));
  return found == idOfKey_.end() ? nullptr : Find(found->second);
}

EntryId Catalogue::Upsert(AppPathEntry entry) {
  if (const AppPathEntry* same = FindByKey(entry.Scope, entry.KeyName)) {
    entry.Id = same->Id;
    ForgetDetails(same->Id);
    entries_[static_cast<size_t>(Position(same->Id) - entries_.begin())] = std::move(entry);
    return same->Id;
  }
  entry.Id = nextId_++;
  idOfKey_.emplace(KeyOf(entry.Scope, entry.KeyName), entry.Id);
  entries_.push_back(std::move(entry));
  return entries_.back().Id;
}

bool Catalogue::Remove(EntryId id) {
  if (std::erase_if(drafts_, [id](const AppPathEntry& draft) { return draft.Id == id; }) > 0)
    return true;
  const auto at = Position(id);
  if (at == entries_.end()) return false;
  entries_.erase(at);
  ForgetDetails(id);
  Reindex();
  return true;
}

bool Catalogue::SetStatus(EntryId id, EntryStatus status) {
  const auto at = Position(id);
  if (at == entries_.end()) return false;
  entries_[static_cast<size_t>(at - entries_.begin())].Status = status;
  return true;
}

int Catalogue::BrokenCount() const {
  int broken = 0;
  for (const AppPathEntry& entry : entries_)
    if (IsBroken(entry.Status)) ++broken;
  return broken;
}

const ProgramDetails* Catalogue::Details(EntryId id) const {
  const auto found = details_.find(id);
  return found == details_.end() ? nullptr : found->second;
}

bool Catalogue::SetDetails(EntryId id, ProgramDetails details) {
  if (Find(id) == nullptr) return false;
  ForgetDetails(id);
  const auto record = detailRecords_.try_emplace(std::move(details), 0).first;
  ++record->second;
  details_.emplace(id, &record->first);
  return true;
}

void Catalogue::ForgetDetails(EntryId id) {
  const auto found = details_.find(id);
  if (found == details_.end()) return;
  const auto record = detailRecords_.find(*found->second);
  if (--record->second == 0) detailRecords_.erase(record);
  details_.erase(found);
}

EntryId Catalogue::AddDraft(AppPathEntry draft) {
  draft.Id = nextId_++;
  draft.Draft = true;
  drafts_.push_back(std::move(draft));
  return drafts_.back().Id;
}

const AppPathEntry* Catalogue::Draft(EntryId id) const {
  for (const AppPathEntry& draft : drafts_)
    if (draft.Id == id) return &draft;
  return nullptr;
}

bool Catalogue::HiddenByUser(const AppPathEntry& entry) const {
  return entry.Scope == Scope::Machine && FindByKey(Scope::User, entry.KeyName) != nullptr;
}

const AppPathEntry* Catalogue::Twin(const AppPathEntry& entry) const {
  return FindByKey(entry.Scope == Scope::Machine ? Scope::User : Scope::Machine, entry.KeyName);
}
