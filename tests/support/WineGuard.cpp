#include "support/WineGuard.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool MayTouchThisRegistry() {
  if (RunningUnderWine()) return true;
  const char* allow = std::getenv("VELMARIN_ALLOW_REAL_REGISTRY");
  if (allow != nullptr && std::strcmp(allow, "1") == 0) return true;
  std::fprintf(stderr,
               "These tests rewrite HKEY_LOCAL_MACHINE\\...\\App Paths and run only under Wine.\n"
               "Set VELMARIN_ALLOW_REAL_REGISTRY=1 to run them on this machine anyway.\n");
  return false;
}
