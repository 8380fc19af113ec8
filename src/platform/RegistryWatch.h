#pragma once
// Notices changes below registry keys while the window is open: a worker thread waits for the
// registry's change notification and posts a message to the window. The wait is on events
// only, so stopping never hangs.
#include <windows.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/UniqueHandle.h"

class RegistryWatch {
 public:
  struct Key {
    HKEY root;
    std::wstring path;
  };

  RegistryWatch() = default;
  ~RegistryWatch() { Stop(); }
  RegistryWatch(const RegistryWatch&) = delete;
  RegistryWatch& operator=(const RegistryWatch&) = delete;

  // Watches the keys that exist now (values and sub-keys, at any depth) and posts `message` to
  // `window` after each change. A running watch is stopped first.
  void Start(const std::vector<Key>& keys, HWND window, UINT message);
  void Stop();

 private:
  struct Watched {
    HKEY key = nullptr;
    UniqueHandle changed;
  };
  static bool Arm(Watched& watched);
  void Run(HWND window, UINT message);

  std::vector<Watched> watched_;
  UniqueHandle stop_;
  std::thread thread_;
};
