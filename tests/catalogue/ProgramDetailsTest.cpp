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
  DetailsRequest request = Request(Scope::User, program);
  request.HidesMachine = true;
  request.HiddenInstallation = std::move(hidden);
  return request;
}
}  // namespace

TEST(ProgramDetails, VersionAndSignatureOfTheProgram) {
  const ProgramDetails details =
      ComputeProgramDetails(Request(Scope::User, TestProgram(L"version_probe.exe")));
  EXPECT_EQ(details.Company, L"Velmarin Prüfstand GmbH");
  EXPECT_EQ(details.Description, L"Prüfprogramm mit Versionsangaben");
  EXPECT_EQ(details.Version, L"3.1.4.15 (Prüfstand)");
  EXPECT_EQ(details.Signature, SignatureKind::Unsigned);
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

class DetailsChecksTest : public testing::Test {
 protected:
  static constexpr UINT kDone = WM_APP + 3;
  void SetUp() override {
    window_ =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    checks_ = std::make_unique<BackgroundChecks>(window_, kDone);
  }
  void TearDown() override {
    checks_.reset();
    DestroyWindow(window_);
  }
  // Takes the results as the window does, when announced, until `count` came.
  std::vector<CheckResult> Taken(size_t count, int milliseconds = 10000) {
    std::vector<CheckResult> taken;
    MSG message;
    for (int i = 0; i < milliseconds / 10 && taken.size() < count; ++i, Sleep(10))
      while (PeekMessageW(&message, window_, kDone, kDone, PM_REMOVE))
        for (const CheckResult& result : checks_->TakeFinished()) taken.push_back(result);
    return taken;
  }

  HWND window_ = nullptr;
  std::unique_ptr<BackgroundChecks> checks_;
};

TEST_F(DetailsChecksTest, NewestDetailsBesideTheEntrysExistenceTest) {
  DetailsChecks details(*checks_);
  ASSERT_TRUE(details.Submit(7, Request(Scope::User, TestProgram(L"plain_version_probe.exe"))));
  ASSERT_TRUE(details.Submit(7, Request(Scope::User, TestProgram(L"version_probe.exe"))));
  ASSERT_NE(checks_->Submit(7, [] { return 42; }), 0u);
  const std::vector<CheckResult> results = Taken(2);
  ASSERT_EQ(results.size(), 2u);
  const CheckResult& detailsResult =
      DetailsChecks::IsDetailsResult(results[0]) ? results[0] : results[1];
  const CheckResult& existence = &detailsResult == &results[0] ? results[1] : results[0];
  EXPECT_EQ(existence.id, 7u);
  EXPECT_EQ(existence.value, 42);
  EXPECT_EQ(details.Take(existence), std::nullopt);
  const auto taken = details.Take(detailsResult);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->first, 7u);
  EXPECT_EQ(taken->second.Company, L"Velmarin Prüfstand GmbH");
  EXPECT_EQ(details.Take(detailsResult), std::nullopt);  // taken once
}

TEST_F(DetailsChecksTest, CancelledDetailsAreNeverDelivered) {
  DetailsChecks details(*checks_);
  ASSERT_TRUE(details.Submit(8, Request(Scope::User, TestProgram(L"version_probe.exe"))));
  details.Cancel(8);
  ASSERT_NE(checks_->Submit(9,
                            [] {
                              Sleep(300);  // long enough for the cancelled job to have finished
                              return 1;
                            }),
            0u);
  const std::vector<CheckResult> results = Taken(2, 1500);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].id, 9u);
}
