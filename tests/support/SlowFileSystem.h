#pragma once
// The slow file system of tools/slowfs as this process sees it: a Linux library that the Wine
// process loads through LD_PRELOAD and that delays every file call on a path holding a marker.
#include <windows.h>

#include <optional>
#include <string>

struct SlowFileSystem {
  std::wstring marker;  // paths holding it answer slowly
  DWORD delayMs = 0;    // per file call of the Wine process on such a path
};

// The marker and delay when LD_PRELOAD names the library, else nothing. Wine passes the Linux
// environment on to the Windows process.
std::optional<SlowFileSystem> LoadedSlowFileSystem();

// A folder in the temporary folder whose name holds the marker (not created).
std::wstring SlowFolderPath(const SlowFileSystem& slow);
