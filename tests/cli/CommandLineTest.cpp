// The real velmarin.exe started with arguments, its output redirected as a script would: the
// lines, the exit code and what is left in the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/Restore.h"
#include "cli/CommandLineFixture.h"
#include "platform/FileContent.h"
#include "platform/Others.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"
#include "texts/CommandLineTexts.h"
#include "texts/Texts.h"

TEST_F(CommandLineTest, CheckListsWhatWindowsCannotStartInBothScopesAndCountsIt) {
  ASSERT_EQ(GetLogicalDrives() & (1u << (L'Q' - L'A')), 0u) << "the prefix has a drive Q:";
  std::vector<std::wstring> expected;
  for (const Registration& r : kRegistrations)
    if (r.listedAs)
      expected.push_back(std::wstring(r.machine ? L"Computer\t" : L"Benutzer\t") + r.key + L'\t' +
                         r.listedAs + L'\t' + (r.installation ? r.installation : L""));
  const Output output = Velmarin(L"/Check");
  EXPECT_EQ(Sorted(output.lines), Sorted(expected));
  EXPECT_EQ(output.exitCode, expected.size());
  EXPECT_TRUE(output.errors.empty());
}

TEST_F(CommandLineTest, CleanRemovesTheBrokenThatMayGoAndItsUndoFileBringsThemBack) {
  const std::wstring kProtected = std::wstring(L"\t") + Texts::kCliKeptProtected;
  const std::wstring kReadOnly = std::wstring(L"\t") + Texts::kCliKeptReadOnly;
  const struct {
    DWORD machineDenied;
    std::vector<std::wstring> removed, kept;
  } cases[] = {
      {0,
       {L"Computer\tGONE.EXE", L"Computer\tEMPTY.EXE", L"Computer\tNOTHING.EXE",
        L"Benutzer\tÜber.exe"},
       {L"Benutzer\tSETUP.EXE" + kProtected}},
      {KEY_SET_VALUE | KEY_CREATE_SUB_KEY,
       {L"Benutzer\tÜber.exe"},
       {L"Computer\tGONE.EXE" + kReadOnly, L"Computer\tEMPTY.EXE" + kReadOnly,
        L"Computer\tNOTHING.EXE" + kReadOnly, L"Benutzer\tSETUP.EXE" + kProtected}},
  };
  for (const auto& c : cases) {
    TearDown();
    SetUp();
    PutRawValue(L"EMPTY.EXE\\Sub", L"Daten", REG_BINARY, "\x01\x02", 2);
    const auto machineBefore = AppPaths(HKEY_LOCAL_MACHINE);
    const auto userBefore = AppPaths(HKEY_CURRENT_USER);
    if (c.machineDenied) Deny(L"", c.machineDenied);
    const Output output = Velmarin(L"/CLEAN undo.reg");
    const std::wstring undo = (folder_ / L"undo.reg").wstring();
    std::vector<std::wstring> expected = c.removed;
    expected.insert(expected.end(), c.kept.begin(), c.kept.end());
    expected.push_back(Texts::CliRemovedSummary(c.removed.size(), undo));
    EXPECT_EQ(Sorted(output.lines), Sorted(expected));
    ASSERT_FALSE(output.lines.empty());
    EXPECT_EQ(output.lines.back(), expected.back());
    EXPECT_EQ(output.exitCode, c.kept.size());
    const size_t machineRemoved = c.removed.size() - 1;  // all but the user's Über.exe
    EXPECT_EQ(AppPaths(HKEY_LOCAL_MACHINE)->subKeys.size(),
              machineBefore->subKeys.size() - machineRemoved);
    EXPECT_EQ(AppPaths(HKEY_CURRENT_USER)->subKeys.size(), userBefore->subKeys.size() - 1);

    ASSERT_TRUE(Regedit(L"/s \"" + undo + L"\""));
    EXPECT_EQ(AppPaths(HKEY_LOCAL_MACHINE), machineBefore);
    EXPECT_EQ(AppPaths(HKEY_CURRENT_USER), userBefore);
  }
}

// An export by the registry editor, then one registration added, one removed and one whose
// default value changed its type only: /diff names exactly those; restoring the removed and the
// changed one brings them back byte for byte, and the restore's undo file takes that back.
TEST_F(CommandLineTest, DiffNamesWhatChangedSinceAnExportAndARestoreFromItCanBeUndone) {
  PutRawValue(L"EMPTY.EXE\\Sub", L"Daten", REG_BINARY, "\x01\x02", 2);
  const auto exported = AppPaths(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(Regedit(L"/e backup.reg \"HKEY_LOCAL_MACHINE\\" + KeyPath(L"") + L"\""));
  PutRegistration(L"NEW.EXE", L"C:\\new.exe");
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"EMPTY.EXE").c_str());
  Registry::RawValue retyped = *StoredValue(HKEY_LOCAL_MACHINE, KeyPath(L"FINE.EXE"), L"");
  retyped.type = REG_EXPAND_SZ;
  ASSERT_TRUE(Registry::SetRawValue(HKEY_LOCAL_MACHINE, KeyPath(L"FINE.EXE"), retyped));
  PutRawValue(L"FINE.EXE", L"Path", REG_SZ, L"C:\\", 8);
  const auto changed = AppPaths(HKEY_LOCAL_MACHINE);

  Output output = Velmarin(L"/diff backup.reg");
  EXPECT_EQ(output.lines,
            (std::vector<std::wstring>{L"removed\tComputer\tEMPTY.EXE",
                                       L"changed\tComputer\tFINE.EXE\t@\t\"Path\"",
                                       L"added\tComputer\tNEW.EXE"}));
  EXPECT_EQ(output.exitCode, 3u);
  EXPECT_TRUE(output.errors.empty());
  // The same as records, the parts a list: read back by cli_readback.
  ForReadBack(L"expected-diff.txt",
              HexRecord({L"removed", L"machine", L"EMPTY.EXE", L""}) +
                  HexRecord({L"changed", L"machine", L"FINE.EXE", L"@;\"Path\""}) +
                  HexRecord({L"added", L"machine", L"NEW.EXE", L""}));
  for (const std::wstring format : {L"json", L"csv"}) {
    output = Velmarin(L"/FORMAT:" + format + L" /diff backup.reg");
    EXPECT_EQ(output.exitCode, 3u);
    ForReadBack(L"diff." + format, output.bytes);
  }

  DWORD error = 0;
  const auto bytes = ReadWholeFile((folder_ / L"backup.reg").wstring(), error);
  ASSERT_TRUE(bytes) << error;
  const AppPathsReading backup = ReadAppPathsFile(*bytes);
  const std::wstring undo = (folder_ / L"undo.reg").wstring();
  const RestoreResult restored =
      Restore(backup.keys, {{Scope::Machine, L"EMPTY.EXE"}, {Scope::Machine, L"fine.exe"}}, undo);
  ASSERT_TRUE(restored.ok()) << static_cast<int>(restored.failedStep) << " " << restored.error;
  for (const Registry::KeyTree& key : exported->subKeys) {
    if (key.name == L"EMPTY.EXE" || key.name == L"FINE.EXE") {
      EXPECT_EQ(Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, KeyPath(key.name)), key);
    }
  }
  output = Velmarin(L"/diff backup.reg");
  EXPECT_EQ(output.lines, std::vector<std::wstring>{L"added\tComputer\tNEW.EXE"});
  EXPECT_EQ(output.exitCode, 1u);

  ASSERT_TRUE(Regedit(L"/s \"" + undo + L"\""));
  EXPECT_EQ(AppPaths(HKEY_LOCAL_MACHINE), changed);
}

TEST_F(CommandLineTest, DiffRefusesAFileWithAKeyOutsideAppPathsNamingTheLine) {
  std::ofstream(folder_ / L"outside.reg", std::ios::binary)
      << "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\.reg]\r\n";
  const Output output = Velmarin(L"/diff outside.reg");
  EXPECT_EQ(output.exitCode, 255u);
  EXPECT_TRUE(output.lines.empty());
  EXPECT_EQ(output.errors,
            (std::vector<std::wstring>{
                Texts::kCliDiffFileRefused + (folder_ / L"outside.reg").wstring(),
                Texts::kCliLine + (L"3: " + std::wstring(Texts::RegFileProblem(
                                                RegFile::ReadProblem::KeyOutsideAppPaths)))}));
}

// A key no registration file restores (a Path without its terminating NUL, as some installers
// write it) is kept with its reason; the others go.
TEST_F(CommandLineTest, CleanKeepsWhatTheUndoFileCannotHoldAndRemovesTheRest) {
  RegDeleteTreeW(HKEY_CURRENT_USER, Registry::kAppPathsKey);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  PutRegistration(L"GONE.EXE", L"C:\\nowhere\\gone.exe");
  PutRegistration(L"EMPTY.EXE", L"");
  PutRegistration(L"ODDPATH.EXE", L"C:\\nowhere\\odd.exe");
  // Ten units, no NUL: the unit after them is not one, or the registry would count it in.
  PutRawValue(L"ODDPATH.EXE", L"Path", REG_SZ, L"C:\\nowhere!", 20);
  const Output output = Velmarin(L"/clean undo.reg");
  const std::vector<std::wstring> expected = {
      L"Computer\tGONE.EXE", L"Computer\tEMPTY.EXE",
      L"Computer\tODDPATH.EXE\tbehalten: nicht wiederherstellbar (Wert Path)",
      Texts::CliRemovedSummary(2, (folder_ / L"undo.reg").wstring())};
  EXPECT_EQ(Sorted(output.lines), Sorted(expected));
  EXPECT_EQ(output.exitCode, 1u);
  EXPECT_EQ(SubKeys(KeyPath(L"")), std::vector<std::wstring>{L"ODDPATH.EXE"});
}

TEST_F(CommandLineTest, AFailureSaysWhyOnTheErrorOutputAndRemovesNothing) {
  const std::wstring unreadable =
      Texts::kCliUnreadableKey + (L"HKEY_LOCAL_MACHINE\\" + KeyPath(L""));
  std::ofstream(folder_ / L"earlier.reg") << "earlier undo";
  std::ofstream(folder_ / L"machine.reg", std::ios::binary)
      << "REGEDIT4\r\n\r\n"
         "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths]\r\n";
  const struct {
    const wchar_t* arguments;
    DWORD denied;  // on the machine's App Paths key, from this row on
    DWORD exitCode;
    std::wstring firstError;
  } cases[] = {
      {L"/clean missing\\undo.reg", 0, 252, Texts::kCliNothingRemovedFailure},
      {L"/clean earlier.reg", 0, 252,
       Texts::kCliUndoFileExists + (folder_ / L"earlier.reg").wstring()},
      {L"/diff missing.reg", 0, 255,
       Texts::kCliDiffFileUnreadable + (folder_ / L"missing.reg").wstring()},
      {L"/check", KEY_ENUMERATE_SUB_KEYS, 251, unreadable},
      {L"/clean undo.reg", 0, 251, unreadable},
      {L"/diff machine.reg", 0, 251, unreadable},
  };
  for (const auto& c : cases) {
    if (c.denied) Deny(L"", c.denied);
    const Output output = Velmarin(c.arguments);
    EXPECT_EQ(output.exitCode, c.exitCode) << c.arguments;
    EXPECT_TRUE(output.lines.empty());
    ASSERT_FALSE(output.errors.empty());
    EXPECT_EQ(output.errors[0], c.firstError);
    EXPECT_TRUE(RegistrationExists(L"GONE.EXE") && UserRegistrationExists(L"Über.exe"));
    EXPECT_FALSE(fs::exists(folder_ / L"undo.reg"));
  }
}

TEST_F(CommandLineTest, HelpAndBadArgumentsShowTheUsage) {
  const size_t usageLines = std::size(Texts::kCliUsage);
  const struct {
    const wchar_t* arguments;
    DWORD exitCode;
    std::wstring problem;  // empty: the usage alone, on standard output
  } cases[] = {
      {L"/?", 0, L""},
      {L"-?", 0, L""},
      {L"/H", 0, L""},
      {L"/x", 254, L"Unbekannter Schalter: /x"},
      {L"check", 254, L"Unbekannter Schalter: check"},
      {L"/clean", 254, Texts::kCliMissingUndoFile},
      {L"/DIFF", 254, Texts::kCliMissingDiffFile},
      {L"/check now", 254, L"Überzählige Angabe: now"},
      {L"/list /format:xml", 254, Texts::kCliUnknownFormat + std::wstring(L"/format:xml")},
      {L"/Format:JSON /list /format:csv", 254, L"Überzählige Angabe: /format:csv"},
      {L"/diff a.reg /format:xml", 254, Texts::kCliUnknownFormat + std::wstring(L"/format:xml")},
      {L"/format:json /diff", 254, Texts::kCliMissingDiffFile},
  };
  for (const auto& c : cases) {
    const Output output = Velmarin(c.arguments);
    EXPECT_EQ(output.exitCode, c.exitCode);
    const bool help = c.problem.empty();
    EXPECT_TRUE((help ? output.errors : output.lines).empty());
    const std::vector<std::wstring>& usage = help ? output.lines : output.errors;
    ASSERT_EQ(usage.size(), usageLines + (help ? 0 : 2));
    EXPECT_EQ(usage.front(), help ? Texts::kCliUsage[0] : c.problem);
    EXPECT_EQ(usage.back(), Texts::kCliUsage[usageLines - 1]);
  }
  for (const wchar_t* line : Texts::kCliUsage) EXPECT_LE(wcslen(line), 79u) << line;
}

TEST_F(CommandLineTest, TheExitCodeCountsUpTo250) {
  size_t broken = std::count_if(kRegistrations.begin(), kRegistrations.end(),
                                [](const Registration& r) { return r.listedAs != nullptr; });
  for (; broken < 251; ++broken) PutRegistration(L"GONE" + std::to_wstring(broken) + L".EXE", L"");
  const Output output = Velmarin(L"/check");
  EXPECT_EQ(output.lines.size(), 251u);
  EXPECT_EQ(output.exitCode, 250u);
}

// Started from a console without redirection (cmd.exe, PowerShell), the lines go to that
// console as UTF-16: one screen cell for Ü, where UTF-8 bytes would take two.
TEST_F(CommandLineTest, WithoutRedirectionTheLinesReachTheStartingConsole) {
  const DWORD kStandard[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
  HANDLE saved[3];
  for (int i = 0; i < 3; ++i) saved[i] = GetStdHandle(kStandard[i]);
  FreeConsole();
  // The new console's handles become the standard ones, which a shell hands on to the child.
  ASSERT_TRUE(AllocConsole());
  UniqueHandle screen(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
  const std::wstring program = ProgramFolder() + L"\\velmarin.exe";
  std::optional<UniqueHandle> child =
      StartProgram(program, L"\"" + program + L"\" /check", L"", SW_SHOWNORMAL);
  for (int i = 0; i < 3; ++i) SetStdHandle(kStandard[i], saved[i]);
  ASSERT_TRUE(child && WaitForProcess(child->get(), 60));
  std::wstring screenText(80 * 10, L' ');
  DWORD read = 0;
  EXPECT_TRUE(ReadConsoleOutputCharacterW(screen.get(), screenText.data(), 80 * 10, {0, 0}, &read));
  EXPECT_NE(screenText.find(L"Über.exe"), std::wstring::npos);
  EXPECT_NE(screenText.find(L"GONE.EXE"), std::wstring::npos);
  // The console stays: under Wine, freeing a console this process allocated ends the process.
}
