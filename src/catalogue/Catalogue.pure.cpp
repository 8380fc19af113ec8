#include "catalogue/Catalogue.h"

#include "platform/Text.h"

namespace {
std::wstring KeyOf(Scope scope, std::wstring_view keyName) {
  return (scope == Scope::Machine ? L"M" : L"U") + ToUpper(keyName);
}
}  // namespace

void Catalogue::Reset(std::vector<AppPathEntry> entries) {
  entries_ = std::move(entries);
  details_.clear();
  for (AppPathEntry& entry : entries_) entry.Id = nextId_++;
  Reindex();
}

void Catalogue::Reindex() {
  indexOf_.clear();
  idOfKey_.clear();
  indexOf_.reserve(entries_.size());
  idOfKey_.reserve(entries_.size());
  for (size_t i = 0; i < entries_.size(); ++i) {
    indexOf_[entries_[i].Id] = i;
    idOfKey_.emplace(KeyOf(entries_[i].Scope, entries_[i].KeyName), entries_[i].Id);
  }
}

const AppPathEntry* Catalogue::Find(EntryId id) const {
  const auto found = indexOf_.find(id);
  return found == indexOf_.end() ? nullptr : &entries_[found->second];
}

const AppPathEntry* Catalogue::FindByKey(Scope scope, std::wstring_view keyName) const {
  const auto found = idOfKey_.find(KeyOf(scope, keyName));
  return found == idOfKey_.end() ? nullptr : Find(found->second);
}

EntryId Catalogue::Upsert(AppPathEntry entry) {
  if (const AppPathEntry* same = FindByKey(entry.Scope, entry.KeyName)) {
    entry.Id = same->Id;
    details_.erase(same->Id);
    entries_[indexOf_.at(same->Id)] = std::move(entry);
    return same->Id;
  }
  entry.Id = nextId_++;
  indexOf_[entry.Id] = entries_.size();
  idOfKey_.emplace(KeyOf(entry.Scope, entry.KeyName), entry.Id);
  entries_.push_back(std::move(entry));
  return entries_.back().Id;
}

bool Catalogue::Remove(EntryId id) {
  if (std::erase_if(drafts_, [id](const AppPathEntry& draft) { return draft.Id == id; }) > 0)
    return true;
  const auto found = indexOf_.find(id);
  if (found == indexOf_.end()) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(found->second));
  details_.erase(id);
  Reindex();
  return true;
}

bool Catalogue::SetStatus(EntryId id, EntryStatus status) {
  const auto found = indexOf_.find(id);
  if (found == indexOf_.end()) return false;
  entries_[found->second].Status = status;
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
  return found == details_.end() ? nullptr : &found->second;
}

bool Catalogue::SetDetails(EntryId id, ProgramDetails details) {
  if (!indexOf_.contains(id)) return false;
  details_.insert_or_assign(id, std::move(details));
  return true;
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
