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

// Puts the build's test root into the machine's root store (of the Wine prefix); false when
// the store refused. Its key is gone after signing, so the trust lasting does no harm. The
// chain engine reads the store once per process: call it before the first check.
bool TrustTestRoot();
