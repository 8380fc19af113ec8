#include "platform/RegistryWatch.h"

namespace {
constexpr DWORD kChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
}  // namespace

bool RegistryWatch::Arm(Watched& watched) {
  return RegNotifyChangeKeyValue(watched.handle, TRUE, kChanges, watched.changed.get(), TRUE) ==
         ERROR_SUCCESS;
}

// The key as it is now under its path, armed; false (and closed) when it is not there.
bool RegistryWatch::Open(Watched& watched) {
  Close(watched);
  if (RegOpenKeyExW(watched.key.root, watched.key.path.c_str(), 0, KEY_NOTIFY | KEY_QUERY_VALUE,
                    &watched.handle) != ERROR_SUCCESS) {
    watched.handle = nullptr;
    return false;
  }
  if (Arm(watched)) return true;
  Close(watched);
  return false;
}

void RegistryWatch::Close(Watched& watched) {
  if (watched.handle != nullptr) RegCloseKey(watched.handle);
  watched.handle = nullptr;
}

// A deleted key keeps its handle but is never notified again (Wine does not even notify its
// deletion): the handle then answers ERROR_KEY_DELETED.
bool RegistryWatch::StillThere(const Watched& watched) {
  DWORD subKeys = 0;
  return RegQueryInfoKeyW(watched.handle, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_KEY_DELETED;
}

void RegistryWatch::Start(const std::vector<Key>& keys, HWND window, UINT message) {
  Stop();
  stop_ = UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!stop_) return;
  for (const Key& key : keys) {
    Watched watched;
    watched.key = key;
    watched.changed = UniqueHandle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!watched.changed) continue;
    Open(watched);  // a key that is not there yet is looked for from time to time
    watched_.push_back(std::move(watched));
  }
  if (watched_.empty()) return;
  thread_ = std::thread([this, window, message] { Run(window, message); });
}

// Keys that are not there are opened when they have come; keys that were deleted are opened
// anew or looked for. True when any of them changed so.
bool RegistryWatch::LookAgain(HWND window, UINT message) {
  bool changed = false;
  for (Watched& watched : watched_) {
    const bool wasThere = watched.handle != nullptr;
    if (wasThere && StillThere(watched)) continue;
    const bool isThere = Open(watched);
    changed = changed || wasThere || isThere;
  }
  if (changed) PostMessageW(window, message, 0, 0);
  return changed;
}

void RegistryWatch::Run(HWND window, UINT message) {
  std::vector<HANDLE> events{stop_.get()};
  for (const Watched& watched : watched_) events.push_back(watched.changed.get());
  for (;;) {
    const DWORD woke = WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(),
                                              FALSE, kLookAgainMs);
    if (woke == WAIT_TIMEOUT) {
      LookAgain(window, message);
      continue;
    }
    if (woke <= WAIT_OBJECT_0 || woke >= WAIT_OBJECT_0 + events.size()) return;
    // A notification fires once; it is armed again before the window looks, so no change made
    // while the window reads the keys goes unnoticed. A key that cannot be armed again was
    // deleted: it is opened anew, or looked for until it comes back.
    Watched& watched = watched_[woke - WAIT_OBJECT_0 - 1];
    if (!Arm(watched)) Open(watched);
    PostMessageW(window, message, 0, 0);
  }
}

void RegistryWatch::Stop() {
  if (thread_.joinable()) {
    SetEvent(stop_.get());
    thread_.join();
  }
  for (Watched& watched : watched_) Close(watched);
  watched_.clear();
  stop_ = UniqueHandle();
}
