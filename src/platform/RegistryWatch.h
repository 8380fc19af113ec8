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

  // How often a key that is not there, or was deleted, is looked for again.
  static constexpr DWORD kLookAgainMs = 1000;

  RegistryWatch() = default;
  ~RegistryWatch() { Stop(); }
  RegistryWatch(const RegistryWatch&) = delete;
  RegistryWatch& operator=(const RegistryWatch&) = delete;

  // Watches the keys (values and sub-keys, at any depth) and posts `message` to `window` after
  // each change, for as long as it runs: a key that does not exist yet is watched once it is
  // created, one that is deleted (and perhaps created again) is opened anew; each time the
  // message is posted, as the window's rows may have changed. A running watch is stopped first.
  void Start(const std::vector<Key>& keys, HWND window, UINT message);
  void Stop();

 private:
  struct Watched {
    Key key;
    HKEY handle = nullptr;  // nothing while the key is not there
    UniqueHandle changed;
  };
  static bool Open(Watched& watched);
  static void Close(Watched& watched);
  static bool Arm(Watched& watched);
  static bool StillThere(const Watched& watched);
  bool LookAgain(HWND window, UINT message);
  void Run(HWND window, UINT message);

  std::vector<Watched> watched_;
  UniqueHandle stop_;
  std::thread thread_;
};
