#include "catalogue/Journal.h"

#include <algorithm>
#include <iterator>

#include "platform/ControlPictures.h"

std::wstring ShownKeyName(std::wstring_view keyName) {
  return WithControlPictures(FileNameFromKeyName(keyName));
}

std::wstring ShownName(const JournalEntry& entry) {
  return entry.keys.empty() ? std::wstring() : ShownKeyName(entry.keys.front().keyName);
}

Journal::Journal(std::vector<JournalEntry> entries) : entries_(std::move(entries)) {
  if (entries_.size() > kMaxEntries)
    entries_.erase(entries_.begin(), entries_.end() - kMaxEntries);
}

void Journal::Add(JournalEntry entry) {
  entries_.push_back(std::move(entry));
  if (entries_.size() > kMaxEntries) entries_.erase(entries_.begin());
}

const JournalEntry* Journal::NewestUndoable() const {
  const auto found = std::find_if(entries_.rbegin(), entries_.rend(),
                                  [](const JournalEntry& entry) { return !entry.undone; });
  return found == entries_.rend() ? nullptr : &*found;
}

bool Journal::MarkNewestUndone() {
  const JournalEntry* newest = NewestUndoable();
  if (newest == nullptr) return false;
  entries_[static_cast<size_t>(newest - entries_.data())].undone = true;
  return true;
}
