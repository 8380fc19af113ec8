// The details of a registration's program under Wine, and their way through the workers.
#include <gtest/gtest.h>
#include <windows.h>

#include "catalogue/DetailsChecks.h"
#include "catalogue/ProgramDetails.h"
#include "support/TestPrograms.h"

namespace {
using enum HijackWarning;

Registry::RawValue Text(const std::wstring& text, uint32_t type = Registry::kTypeString) {
  return Registry::TextValue(L"", text, type);
}

DetailsRequest Request(Scope scope, const std::wstring& program, const std::wstring& path = L"") {
  DetailsRequest request{scope, Text(program)};
  if (!path.empty()) request.Directory = Text(path);
  return request;
}

DetailsRequest Hiding(const std::wstring& program, Registry::RawValue hidden) {
  return {Scope::User, Text(program), std::nullopt, true, std::move(hidden)};
}
}  // namespace

TEST(ProgramDetails, VersionAndSignatureOfTheProgram) {
  EXPECT_EQ(ComputeProgramDetails(Request(Scope::User, TestProgram(L"version_probe.exe"))),
            (ProgramDetails{L"Velmarin Prüfstand GmbH", L"Prüfprogramm mit Versionsangaben",
                            L"3.1.4.15 (Prüfstand)", SignatureKind::Unsigned}));
  EXPECT_EQ(ComputeProgramDetails(Request(Scope::Machine, L"C:\\velmarin-nowhere\\gone.exe")),
            ProgramDetails{});
}

TEST(ProgramDetails, UserWritableWhereUsersMayChangeWhatAMachineEntryStarts) {
  if (!SigningFilesExist()) GTEST_SKIP() << "made by the signing step";
  struct Case {
    Scope scope;
    const wchar_t* program;
    std::wstring path;
    std::vector<HijackWarning> warnings;
  };
  const Case cases[] = {
      {Scope::Machine, L"open\\probe.exe", L"", {UserWritable}},
      {Scope::Machine, L"open\\missing.exe", L"", {UserWritable}},  // anyone may put it there
      {Scope::Machine, L"closed\\writable.exe", L"", {UserWritable}},
      {Scope::Machine, L"closed\\probe.exe", L"", {}},
      {Scope::Machine,
       L"closed\\probe.exe",
       L"C:\\velmarin-nowhere; " + SigningFile(L"open"),
       {UserWritable}},
      {Scope::User, L"open\\probe.exe", L"", {}},  // the user's own key: no other user's affair
  };
  for (const Case& c : cases)
    EXPECT_EQ(ComputeProgramDetails(Request(c.scope, SigningFile(c.program), c.path)).Warnings,
              c.warnings)
        << c.program;
}

TEST(ProgramDetails, UserEntryHidingAMachineEntry) {
  const std::wstring probe = TestProgram(L"version_probe.exe");
  const std::wstring plain = TestProgram(L"plain_version_probe.exe");
  EXPECT_EQ(ComputeProgramDetails(Hiding(probe, Text(plain))).Warnings, std::vector{HidesMachine});
  EXPECT_EQ(ComputeProgramDetails(
                Hiding(probe, Text(L"%SystemRoot%\\notepad.exe", Registry::kTypeExpandString)))
                .Warnings,
            std::vector{HidesWindowsProgram});
  // The bare name is found in System32.
  EXPECT_EQ(ComputeProgramDetails(Hiding(L"notepad.exe", Text(plain))).Warnings,
            std::vector{HidesWindowsProgram});
}

// Takes the results as the window does, when announced, until `count` came.
std::vector<CheckResult> Taken(BackgroundChecks& checks, HWND window, size_t count, int ms) {
  std::vector<CheckResult> taken;
  MSG message;
  for (int i = 0; i < ms / 10 && taken.size() < count; ++i, Sleep(10))
    while (PeekMessageW(&message, window, WM_APP, WM_APP, PM_REMOVE))
      for (const CheckResult& result : checks.TakeFinished()) taken.push_back(result);
  return taken;
}

TEST(DetailsChecks, NewestDetailsBesideTheExistenceTestAndNoneWhenCancelled) {
  const HWND window =
      CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  BackgroundChecks checks(window, WM_APP);
  DetailsChecks details(checks);
  ASSERT_TRUE(details.Submit(7, Request(Scope::User, TestProgram(L"plain_version_probe.exe"))));
  ASSERT_TRUE(details.Submit(7, Request(Scope::User, TestProgram(L"version_probe.exe"))));
  ASSERT_NE(checks.Submit(7, [] { return 42; }), 0u);  // the entry's own existence test
  std::vector<CheckResult> results = Taken(checks, window, 2, 10000);
  ASSERT_EQ(results.size(), 2u);
  if (!DetailsChecks::IsDetailsResult(results[0])) std::swap(results[0], results[1]);
  EXPECT_EQ(results[1], (CheckResult{7, results[1].generation, 42}));
  EXPECT_EQ(details.Take(results[1]), std::nullopt);
  const auto taken = details.Take(results[0]);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->first, 7u);
  EXPECT_EQ(taken->second.Company, L"Velmarin Prüfstand GmbH");
  EXPECT_EQ(details.Take(results[0]), std::nullopt);  // taken once

  ASSERT_TRUE(details.Submit(8, Request(Scope::User, TestProgram(L"version_probe.exe"))));
  details.Cancel(8);
  ASSERT_NE(checks.Submit(9,
                          [] {
                            Sleep(300);
                            return 1;
                          }),
            0u);  // outlasts the cancelled job
  results = Taken(checks, window, 2, 1500);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].id, 9u);
  DestroyWindow(window);
}

// A program read once is not read again while it stays the same; replaced, it is.
TEST(ProgramDetails, AReplacedProgramIsReadAgain) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring program = std::wstring(temp) + L"velmarin-replaced.exe";
  ASSERT_TRUE(CopyFileW(TestProgram(L"version_probe.exe").c_str(), program.c_str(), FALSE));
  EXPECT_EQ(ComputeProgramDetails(Request(Scope::User, program)).Company,
            L"Velmarin Prüfstand GmbH");
  ASSERT_TRUE(CopyFileW(TestProgram(L"plain_version_probe.exe").c_str(), program.c_str(), FALSE));
  EXPECT_EQ(ComputeProgramDetails(Request(Scope::User, program)).Company, L"Old Tools Inc.");
  DeleteFileW(program.c_str());
}
