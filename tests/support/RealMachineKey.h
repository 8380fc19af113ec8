#pragma once
// The App Paths key of a Windows 10/11 machine as it comes, plus two browsers, for tests that must
// see what a real machine holds rather than hand-made cases: values typed as Windows writes them
// (REG_EXPAND_SZ with %CommonProgramFiles%, %ProgramFiles(x86)%, %ProgramFiles%, %SystemRoot%;
// REG_SZ with quoted and plain full paths; a bare name; keys that hold settings only).
#include <string>
#include <vector>

struct StockRegistration {
  std::wstring key;   // the sub-key's name as Windows spells it
  bool namesProgram;  // false: settings only, no default value, so the row has no program
};

// Writes the sixteen registrations below HKLM\...\App Paths (empty it first, as AppPathsFixture
// does) and creates every program they name as an empty file where Wine has none, so that a
// resolver that reads them as Windows does finds every program. Settings only, with no default
// value: cmmgr32.exe (CmNative, CmstpExtensionDll), install.exe and setup.exe
// (BlockOnTSNonInstallMode). The files stay in the prefix. Returns the registrations in the order
// written; a write that fails is a test failure.
std::vector<StockRegistration> PutRealMachineKey();
