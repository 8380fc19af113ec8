#include "platform/RegistryWatch.h"

namespace {
constexpr DWORD kChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
}  // namespace

bool RegistryWatch::Arm(Watched& watched) {
  return RegNotifyChangeKeyValue(watched.key, TRUE, kChanges, watched.changed.get(), TRUE) ==
         ERROR_SUCCESS;
}

void RegistryWatch::Start(const std::vector<Key>& keys, HWND window, UINT message) {
  Stop();
  stop_ = UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!stop_) return;
  for (const Key& key : keys) {
    Watched watched;
    if (RegOpenKeyExW(key.root, key.path.c_str(), 0, KEY_NOTIFY, &watched.key) != ERROR_SUCCESS)
      continue;  // a key that does not exist yet is watched from the next start on
    watched.changed = UniqueHandle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (watched.changed && Arm(watched))
      watched_.push_back(std::move(watched));
    else
      RegCloseKey(watched.key);
  }
  if (watched_.empty()) return;
  thread_ = std::thread([this, window, message] { Run(window, message); });
}

void RegistryWatch::Run(HWND window, UINT message) {
  std::vector<HANDLE> events{stop_.get()};
  for (const Watched& watched : watched_) events.push_back(watched.changed.get());
  for (;;) {
    const DWORD woke = WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(),
                                              FALSE, INFINITE);
    if (woke <= WAIT_OBJECT_0 || woke >= WAIT_OBJECT_0 + events.size()) return;
    // A notification fires once; it is armed again before the window looks, so no change made
    // while the window reads the keys goes unnoticed.
    if (!Arm(watched_[woke - WAIT_OBJECT_0 - 1])) return;
    PostMessageW(window, message, 0, 0);
  }
}

void RegistryWatch::Stop() {
  if (thread_.joinable()) {
    SetEvent(stop_.get());
    thread_.join();
  }
  for (Watched& watched : watched_) RegCloseKey(watched.key);
  watched_.clear();
  stop_ = UniqueHandle();
}
