// What scripts read from the real velmarin.exe: its records in each format, and names that try to
// forge a line.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "cli/CommandLineFixture.h"
#include "platform/FileContent.h"
#include "platform/Others.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"
#include "support/TestPrograms.h"
#include "texts/Texts.h"

// What scripts read: /list and /check as CSV and JSON, their output and what the registry
// holds left in cli-readback beside the tests, where ctest's cli_readback reads them with
// Python's own csv and json modules (tests/cli/readback.py) and compares field by field.
TEST_F(CommandLineTest, ListAndCheckWriteRecordsThatScriptsReadBack) {
  AppPathsFixture::SetUp();  // only the registrations below
  const std::wstring probe = TestProgram(L"version_probe.exe");
  const std::wstring plain = TestProgram(L"plain_version_probe.exe");
  const std::pair<std::wstring, std::wstring> kMissing{L"missing", Texts::kLegendNotFound};
  const std::pair<std::wstring, std::wstring> kFine{L"fine", Texts::kLegendReady};
  const std::pair<std::wstring, std::wstring> kHidden{L"hidden", Texts::kLegendHidden};
  std::wstring noDrive = L"C:";  // a drive this session has no root for: nobody can tell
  for (wchar_t letter = L'Z'; letter > L'C' && noDrive == L"C:"; --letter)
    if ((GetLogicalDrives() & (1u << (letter - L'A'))) == 0) noDrive = {letter, L':'};
  const std::wstring away = noDrive + L"\\tool.exe";
  // company, description, version, signature, signer, warnings (at most one code here)
  const std::vector<std::wstring> kNone{L"", L"", L"", L"unknown", L"", L""};
  const auto probeDetails = [](const wchar_t* signature, const wchar_t* signer,
                               const wchar_t* warnings) -> std::vector<std::wstring> {
    return {L"Velmarin Prüfstand GmbH", L"Prüfprogramm mit Versionsangaben",
            L"3.1.4.15 (Prüfstand)", signature, signer, warnings};
  };
  struct Case {
    bool machine;
    std::wstring key;
    const wchar_t* installation;  // REG_EXPAND_SZ; nullptr: a setting (REG_DWORD), no program
    const wchar_t* path;
    std::pair<std::wstring, std::wstring> status;  // and its text
    std::wstring program;
    std::vector<std::wstring> details;
  };
  std::vector<Case> cases = {
      {true, L"Quote\"Comma,Semi;.exe", L"\"C:\\nowhere\\a,b;\u00C4\x01\x1b[31m\x7f.exe\" /x \"y\"",
       L"C:\\a;\"D:\\b,c\"", kMissing, L"C:\\nowhere\\a,b;\u00C4\x01\x1b[31m\x7f.exe", kNone},
      {true, L"Tab\tLine\r\nBreak.exe", probe.c_str(), L"one\r\ntwo\tthree\n", kFine, probe,
       probeDetails(L"unsigned", L"", L"")},
      {true, L"Ctl\x01\x1b[2J\x7f\u00DC\u20AC\U0001F600.exe", L"", L"\x07",
       {L"broken", Texts::kLegendBroken}, L"", kNone},
      {true, L"TWIN.EXE", L"C:\\nowhere\\twin.exe", L"", kHidden, L"C:\\nowhere\\twin.exe", kNone},
      {true, L"SETTINGS.EXE", nullptr, L"", {L"settings", Texts::kLegendSettings}, L"", kNone},
      {true, L"NOTEPAD.EXE", L"%SystemRoot%\\velmarin-nowhere\\notepad.exe", L"", kHidden,
       WindowsFolder() + L"\\velmarin-nowhere\\notepad.exe", kNone},
      // A user registration hides the machine's: worse when that one is Windows' own.
      {false, L"TWIN.EXE", plain.c_str(), L"", kFine, plain,
       {L"Old Tools Inc.", L"Old tool", L"2.0.7.1", L"unsigned", L"", L"hides-machine"}},
      {false, L"NOTEPAD.EXE", probe.c_str(), L"", kFine, probe,
       probeDetails(L"unsigned", L"", L"hides-windows-program")},
      {false, L"Away.exe", away.c_str(), L"", {L"unreachable", Texts::kLegendUnreachable}, away,
       kNone},
      {false, L"Lone\xD800\",;.exe", L"\"C:\\nowhere\\\u00FC b\xDC00.exe\"",
       L"C:\\\u00E4;D:\\", kMissing, L"C:\\nowhere\\\u00FC b\xDC00.exe", kNone},
  };
  const std::wstring signedProbe = SigningFile(L"signed.exe");
  if (SigningFilesExist()) {  // where the build could sign
    ASSERT_TRUE(TrustTestRoot());
    cases.push_back({true, L"Signed.exe", signedProbe.c_str(), L"", kFine, signedProbe,
                     probeDetails(L"signed", L"Velmarin Testsignatur", L"")});
  }
  const auto size = [](const wchar_t* text) { return DWORD((wcslen(text) + 1) * 2); };
  for (const auto& c : cases) {
    const HKEY root = c.machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const std::wstring key = Registry::kAppPathsPrefix + c.key;
    const DWORD one = 1;
    ASSERT_EQ(c.installation ? RegSetKeyValueW(root, key.c_str(), nullptr, REG_EXPAND_SZ,
                                               c.installation, size(c.installation))
                             : RegSetKeyValueW(root, key.c_str(), L"UseUrl", REG_DWORD, &one, 4),
              ERROR_SUCCESS);
    if (*c.path) RegSetKeyValueW(root, key.c_str(), L"Path", REG_SZ, c.path, size(c.path));
  }
  // The records in the order the registry enumerates the keys, /check's the broken ones.
  std::string listed, checked;
  for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    std::vector<std::wstring> names;
    Registry::EnumerateKeys(root, Registry::kAppPathsKey, names);
    for (const std::wstring& name : names) {
      const auto c = std::find_if(cases.begin(), cases.end(), [&](const Case& r) {
        return r.machine == (root == HKEY_LOCAL_MACHINE) && r.key == name;
      });
      ASSERT_NE(c, cases.end());
      std::vector<std::wstring> fields{c->machine ? L"machine" : L"user", name, c->status.first,
                                       c->status.second, c->installation ? c->installation : L"",
                                       c->program, c->path};
      fields.insert(fields.end(), c->details.begin(), c->details.end());
      listed += HexRecord(fields);
      if (c->status == kMissing || c->status.first == L"broken") checked += HexRecord(fields);
    }
  }
  ForReadBack(L"expected-list.txt", listed);
  ForReadBack(L"expected-check.txt", checked);
  for (const std::wstring command : {L"list", L"check"})
    for (const std::wstring format : {L"csv", L"json"}) {
      const Output output = Velmarin(L"/" + command + L" /format:" + format);
      EXPECT_EQ(output.exitCode, command == L"list" ? 0u : 3u);
      EXPECT_TRUE(output.errors.empty());
      ForReadBack(command + L"." + format, output.bytes);
    }
  const std::wstring kHeader =
      L"scope\tkey\tstatus\tstatusText\tinstallation\tprogram\tpath\tcompany\tdescription\t"
      L"version\tsignature\tsigner\twarnings";
  const std::vector<std::wstring> tsv = Velmarin(L"/LIST").lines;
  ASSERT_EQ(tsv.size(), cases.size() + 1);  // pictures, not line breaks, in the TSV
  EXPECT_EQ(tsv.front(), kHeader);
  EXPECT_EQ(tsv.back(), L"user\tTWIN.EXE\tfine\tFehlerfreier Eintrag\t" + plain + L'\t' + plain +
                            L"\t\tOld Tools Inc.\tOld tool\t2.0.7.1\tunsigned\t\thides-machine");
  EXPECT_EQ(Velmarin(L"/check /format:tsv").lines.front(), kHeader);
}

// A name any user may give his own key neither splits a line nor sends the console an escape
// sequence: its control characters come as pictures, in /check as in what /clean says of it.
TEST_F(CommandLineTest, ControlCharactersInNamesAndTextsComeAsTheirPictures) {
  PutUserRegistration(L"\x1B[2JA\r\nComputer\tFAKE.EXE", L"C:\\nowhere\\x.exe\t\x1B[0m");
  const std::wstring name = L"\u241B[2JA\u240D\u240AComputer\u2409FAKE.EXE";
  const Output check = Velmarin(L"/check");
  EXPECT_EQ(std::count(check.lines.begin(), check.lines.end(),
                       L"Benutzer\t" + name + L'\t' + Texts::kLegendNotFound +
                           L"\tC:\\nowhere\\x.exe\u2409\u241B[0m"),
            1);
  EXPECT_EQ(check.lines.size(), check.exitCode);
  Output clean = Velmarin(L"/clean undo.reg");
  clean.lines.insert(clean.lines.end(), clean.errors.begin(), clean.errors.end());
  for (const std::wstring& line : clean.lines)
    EXPECT_EQ(line.find_first_of(L"\x1B\r\n"), std::wstring::npos) << line;
}
