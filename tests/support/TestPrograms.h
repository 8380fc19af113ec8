#pragma once
// The programs the build makes for the tests of what Velmarin reads about a program (CMake
// target test_programs, tools/sign-test-program), and the trust in their test root.
#include <string>

// A program beside the test executable ("version_probe.exe").
std::wstring TestProgram(const wchar_t* name);

// A file the signing step made ("signed.exe", "open\\probe.exe").
std::wstring SigningFile(const wchar_t* name);

// False where the build could not sign (no openssl or osslsigncode, a Windows host).
bool SigningFilesExist();

// Puts the build's test root into the machine's root store (of the Wine prefix), or takes it
// out again. False when the store refused. The system's chain engine reads the root store once
// per process: a change counts for checks in processes started afterwards, or in this one when
// it made no check before.
bool TrustTestRoot(bool trusted);
