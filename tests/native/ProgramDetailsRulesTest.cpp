#include <gtest/gtest.h>

#include <array>

#include "catalogue/Catalogue.h"
#include "catalogue/ProgramDetails.h"
#include "platform/FileAccess.h"
#include "platform/FileSignature.h"
#include "platform/VersionDetails.h"
#include "texts/DetailsTexts.h"
#include "texts/Texts.h"

TEST(SignatureRules, TrustResultsGiveKindAndText) {
  struct Case { uint32_t result; SignatureKind kind; const wchar_t* text; };
  const Case cases[] = {
      {0x00000000, SignatureKind::Signed, L"Signiert: Contoso Ltd"},
      {0x800B0100, SignatureKind::Unsigned, L"Nicht signiert"},    // no signature
      {0x800B0003, SignatureKind::Unsigned, L"Nicht signiert"},    // not a signable file
      {0x80096010, SignatureKind::Invalid, L"Signatur ungültig"},  // changed after signing
      {0x800B0109, SignatureKind::Invalid, L"Signatur ungültig"},  // untrusted root
      {0x8009310B, SignatureKind::Invalid, L"Signatur ungültig"},  // damaged signature data
      {0x80092003, SignatureKind::Unknown, L""},                   // file could not be read
      {0x80092013, SignatureKind::Unknown, L""},                   // revocation server offline
      {0x80070005, SignatureKind::Unknown, L""},                   // access denied
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SignatureKindOf(c.result), c.kind) << std::hex << c.result;
    EXPECT_EQ(Texts::SignatureCaption(SignatureKindOf(c.result), L"Contoso Ltd"), c.text)
        << std::hex << c.result;
  }
}

TEST(SignatureRules, OnlyMicrosoftsCodeSigningRootsCount) {
  // Microsoft Root Certificate Authority 2011.
  std::array<uint8_t, 20> root2011 = {0x8F, 0x43, 0x28, 0x8A, 0xD2, 0x72, 0xF3, 0x10, 0x3B, 0x6F,
                                      0xB1, 0x42, 0x84, 0x85, 0xEA, 0x30, 0x14, 0xC0, 0xBC, 0xFE};
  EXPECT_TRUE(IsMicrosoftRoot(root2011));
  EXPECT_FALSE(IsMicrosoftRoot(std::span(root2011).first(19)));
  root2011[19] ^= 1;
  EXPECT_FALSE(IsMicrosoftRoot(root2011));
  // Microsoft Identity Verification Root Certificate Authority 2020 signs others' programs.
  const std::array<uint8_t, 20> identityVerification2020 = {
      0xF4, 0x00, 0x42, 0xE2, 0xE5, 0xF7, 0xE8, 0xEF, 0x81, 0x89,
      0xFE, 0xD1, 0x55, 0x19, 0xAE, 0xCE, 0x42, 0xC3, 0xBF, 0xA2};
  EXPECT_FALSE(IsMicrosoftRoot(identityVerification2020));
}

TEST(AccessRules, OrdinaryGroupsWithChangingRightsWarn) {
  constexpr uint32_t kRead = 0x120089, kWrite = 0x2, kAppend = 0x4, kDeleteChild = 0x40,
                     kDelete = 0x10000, kWriteDac = 0x40000, kGenericWrite = 0x40000000,
                     kModify = 0x1301BF;
  struct Case { std::vector<AccessRule> rules; bool folder; bool warns; };
  const Case cases[] = {
      {{{L"S-1-1-0", kWrite}}, false, true},
      {{{L"S-1-5-32-545", kAppend}}, false, true},
      {{{L"S-1-5-11", kDelete}}, false, true},
      {{{L"S-1-5-4", kWriteDac}}, false, true},
      {{{L"S-1-5-32-545", kGenericWrite}}, false, true},
      {{{L"S-1-5-11", kModify}}, true, true},
      {{{L"S-1-5-32-545", kDeleteChild}}, true, true},    // may delete the program in it
      {{{L"S-1-5-32-545", kDeleteChild}}, false, false},  // means nothing on a file
      {{{L"S-1-1-0", kRead}}, true, false},
      {{{L"S-1-5-32-544", kModify}}, true, false},         // Administrators
      {{{L"S-1-5-21-1-2-3-1001", kModify}}, true, false},  // one named user: not a group of all
      {{{L"S-1-5-32-545", kModify, true, true}}, true, false},  // only for what is created in it
      {{{L"S-1-1-0", kWrite, false}, {L"S-1-5-11", kWrite}}, false, false},  // Everyone denied
      {{{L"S-1-5-11", kWrite, false}, {L"S-1-5-11", kWrite | kAppend}}, false, true},
      {{{L"S-1-5-11", kWrite}, {L"S-1-1-0", kWrite, false}}, false, true},  // deny comes late
      {{}, true, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(OrdinaryUsersMayChange(cases[i].rules, cases[i].folder), cases[i].warns)
        << "case " << i;
}

TEST(VersionRules, FirstTranslationThenUsEnglishTables) {
  EXPECT_EQ(StringTableNames(Translation{0x0407, 1200}),
            (std::vector<std::wstring>{L"040704B0", L"040904B0", L"040904E4"}));
  EXPECT_EQ(StringTableNames(Translation{0x0409, 1252}),
            (std::vector<std::wstring>{L"040904E4", L"040904B0"}));
  EXPECT_EQ(StringTableNames(std::nullopt), (std::vector<std::wstring>{L"040904B0", L"040904E4"}));
  EXPECT_EQ(FixedVersionText(0x000A0000, 0x4A610001), L"10.0.19041.1");
  EXPECT_EQ(FixedVersionText(0xFFFFFFFF, 0), L"65535.65535.0.0");
}

TEST(HijackRules, WarningsByScopeAndFacts) {
  using enum HijackWarning;
  struct Case { HijackFacts facts; std::vector<HijackWarning> warnings; };
  const Case cases[] = {
      {{Scope::User, true, false, false}, {HidesMachine}},
      {{Scope::User, true, true, false}, {HidesWindowsProgram}},
      {{Scope::User, false, true, true}, {}},  // hides nothing
      {{Scope::Machine, false, false, true}, {UserWritable}},
      {{Scope::Machine, true, true, false}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(HijackWarnings(c.facts), c.warnings);
  EXPECT_STREQ(WarningCode(HidesWindowsProgram), "hides-windows-program");
  EXPECT_STREQ(Texts::WarningCaption(UserWritable), L"Für Benutzer beschreibbar");
}

TEST(HijackRules, PathFoldersAndWindowsFolder) {
  EXPECT_EQ(PathFolders(L" C:\\Tools ;;\"C:\\Program Files\\A\";C:\\B\\; "),
            (std::vector<std::wstring>{L"C:\\Tools", L"C:\\Program Files\\A", L"C:\\B\\"}));
  EXPECT_TRUE(PathFolders(L" ; ").empty());
  EXPECT_TRUE(LiesInFolder(L"c:\\WINDOWS\\system32\\notepad.exe", L"C:\\Windows"));
  EXPECT_TRUE(LiesInFolder(L"C:\\Windows\\notepad.exe", L"C:\\Windows\\"));
  EXPECT_FALSE(LiesInFolder(L"C:\\Windows2\\notepad.exe", L"C:\\Windows"));
  EXPECT_FALSE(LiesInFolder(L"C:\\Windows", L"C:\\Windows"));
  EXPECT_FALSE(LiesInFolder(L"C:\\Windows\\x.exe", L""));
}

TEST(HijackRules, RequestCarriesTheHiddenMachineProgram) {
  AppPathEntry machine{.KeyName = L"NOTEPAD.EXE"}, alone{.KeyName = L"ALONE.EXE"};
  machine.StoredInstallation = Registry::TextValue(L"", L"C:\\Windows\\notepad.exe");
  AppPathEntry user{.Scope = Scope::User, .KeyName = L"notepad.exe"};
  user.StoredInstallation = Registry::TextValue(L"", L"C:\\Temp\\n.exe");
  Catalogue catalogue;
  catalogue.Reset({machine, user, alone});
  const DetailsRequest hiding = DetailsRequestOf(catalogue, catalogue.Entries()[1]);
  EXPECT_TRUE(hiding.HidesMachine);
  EXPECT_EQ(hiding.HiddenInstallation, machine.StoredInstallation);
  EXPECT_EQ(hiding.Installation, user.StoredInstallation);
  EXPECT_FALSE(DetailsRequestOf(catalogue, catalogue.Entries()[0]).HidesMachine);
  EXPECT_FALSE(DetailsRequestOf(catalogue, catalogue.Entries()[2]).HidesMachine);
}
