#pragma once
// The real velmarin.exe started with arguments, its output redirected as a script would, over a
// table of registrations shaped like a machine's: broken, fine, hidden, unreachable, protected.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "support/AppPathsFixture.h"

namespace fs = std::filesystem;

struct Output {
  DWORD exitCode = 0;
  std::vector<std::wstring> lines;  // standard output
  std::vector<std::wstring> errors;
  std::string bytes;  // standard output as written
};

// UTF-8 split at CRLF; a last line without its CRLF is marked, so it equals no expected line.
std::vector<std::wstring> Lines(const std::string& bytes);
std::vector<std::wstring> Sorted(std::vector<std::wstring> lines);
// A record as one line, its fields separated by tabs, each as its UTF-16 units in hexadecimal
// (low byte first): no character of a field can disturb the reader (tests/cli/readback.py).
std::string HexRecord(const std::vector<std::wstring>& fields);
// Where cli_readback finds a command's output and, as HexRecord lines, what it should hold.
void ForReadBack(const std::wstring& name, const std::string& bytes);

// The installation of a registration that has a setting but no program.
extern const wchar_t kSettings[];

struct Registration {
  bool machine;
  std::wstring key;
  const wchar_t* installation;  // nullptr: no default value
  const wchar_t* listedAs;      // the status /check gives; nullptr: not broken
};

extern const std::vector<Registration> kRegistrations;

class CommandLineTest : public AppPathsFixture {
 protected:
  void SetUp() override;
  void TearDown() override {
    AppPathsFixture::TearDown();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  // velmarin.exe in the test's folder, standard output into a pipe, errors into a file. A
  // window would never end, so a minute is plenty.
  Output Velmarin(const std::wstring& arguments) const;

  static std::optional<Registry::KeyTree> AppPaths(HKEY root) {
    return Registry::ReadKeyTree(root, Registry::kAppPathsKey);
  }
  // regedit.exe of the Windows folder with `arguments`, in the test's folder.
  bool Regedit(const std::wstring& arguments) const;

  fs::path folder_;
};
