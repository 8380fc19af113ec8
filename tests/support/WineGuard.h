#pragma once
// Test executables write below HKEY_LOCAL_MACHINE. They run under Wine, in a throwaway prefix;
// on a real Windows machine only when VELMARIN_ALLOW_REAL_REGISTRY=1 says so.

bool RunningUnderWine();

// True when the tests may run here; otherwise prints why not.
bool MayTouchThisRegistry();
