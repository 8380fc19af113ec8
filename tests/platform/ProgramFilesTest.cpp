// What Velmarin reads about a program file under Wine: version resources of the test programs,
// the signatures the build gave them, and the access Wine derives from Unix permissions.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/FileAccess.h"
#include "platform/FileSignature.h"
#include "platform/VersionDetails.h"
#include "support/TestPrograms.h"

// The build's test root is trusted before the first check (TrustTestRoot).
struct TrustedTestRoot : testing::Environment {
  void SetUp() override { ASSERT_TRUE(!SigningFilesExist() || TrustTestRoot()); }
};
testing::Environment* const kTrustedTestRoot =
    testing::AddGlobalTestEnvironment(new TrustedTestRoot);

TEST(VersionDetails, FirstTranslationThenUsEnglishAndTheFixedVersion) {
  EXPECT_EQ(ReadVersionDetails(TestProgram(L"version_probe.exe")),
            (VersionDetails{L"Prüfprogramm mit Versionsangaben", L"Velmarin Prüfstand GmbH",
                            L"3.1.4.15 (Prüfstand)"}));
  EXPECT_EQ(ReadVersionDetails(TestProgram(L"plain_version_probe.exe")),
            (VersionDetails{L"Old tool", L"Old Tools Inc.", L"2.0.7.1"}));
  EXPECT_EQ(ReadVersionDetails(TestProgram(L"run_probe.exe")), std::nullopt);  // no resource
  EXPECT_EQ(ReadVersionDetails(L"C:\\velmarin-nowhere\\gone.exe"), std::nullopt);
}

// Wine has no catalogs: a file without a signature of its own goes through the catalog lookup
// and comes out unsigned. A missing file cannot be judged.
TEST(FileSignature, UnsignedAfterTheCatalogsAndUnknownWhenMissing) {
  EXPECT_EQ(CheckFileSignature(TestProgram(L"version_probe.exe")),
            FileSignature{SignatureKind::Unsigned});
  EXPECT_EQ(CheckFileSignature(L"C:\\velmarin-nowhere\\gone.exe").Kind, SignatureKind::Unknown);
}

TEST(FileSignature, SignedUnderTheTrustedRootInvalidOtherwise) {
  if (!SigningFilesExist()) GTEST_SKIP() << "the build could not sign (openssl, osslsigncode)";
  EXPECT_EQ(CheckFileSignature(SigningFile(L"signed.exe")),
            (FileSignature{SignatureKind::Signed, L"Velmarin Testsignatur", false}));
  EXPECT_EQ(CheckFileSignature(SigningFile(L"stranger.exe")),
            FileSignature{SignatureKind::Invalid});
  EXPECT_EQ(CheckFileSignature(SigningFile(L"tampered.exe")),
            FileSignature{SignatureKind::Invalid});
}

// Wine gives a file without a stored security descriptor a DACL made from its Unix
// permissions; "others may write" becomes a write grant to Everyone.
TEST(FileAccess, WorldWritableUnixModeWarns) {
  if (!SigningFilesExist()) GTEST_SKIP() << "made by the signing step";
  const std::optional<std::vector<AccessRule>> open = ReadAccessRules(SigningFile(L"open"));
  ASSERT_TRUE(open);
  EXPECT_TRUE(std::any_of(open->begin(), open->end(), [](const AccessRule& rule) {
    return rule.Sid == L"S-1-1-0" && rule.Allow && (rule.Mask & 0x2) != 0;
  }));
  EXPECT_EQ(OrdinaryUsersMayChangePath(SigningFile(L"open"), true), true);
  EXPECT_EQ(OrdinaryUsersMayChangePath(SigningFile(L"closed"), true), false);
  EXPECT_EQ(OrdinaryUsersMayChangePath(SigningFile(L"closed\\writable.exe"), false), true);
  EXPECT_EQ(ReadAccessRules(L"C:\\velmarin-nowhere\\gone.exe"), std::nullopt);
}
