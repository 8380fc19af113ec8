// The real velmarin.exe started with arguments, its output redirected as a script would: the
// lines, the exit code and what is left in the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/Restore.h"
#include "platform/FileContent.h"
#include "platform/Others.h"
#include "platform/Processes.h"
#include "platform/SpecialFolders.h"
#include "platform/Registry.h"
#include "support/AppPathsFixture.h"
#include "support/TestPrograms.h"
#include "texts/CommandLineTexts.h"
#include "texts/Texts.h"

namespace {

namespace fs = std::filesystem;

struct Output {
  DWORD exitCode = 0;
  std::vector<std::wstring> lines;  // standard output
  std::vector<std::wstring> errors;
  std::string bytes;  // standard output as written
};

// UTF-8 split at CRLF; a last line without its CRLF is marked, so it equals no expected line.
std::vector<std::wstring> Lines(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                  text.data(), static_cast<int>(text.size())));
  std::vector<std::wstring> lines;
  for (size_t start = 0, end = 0; start < text.size(); start = end + 2) {
    end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      lines.push_back(L"no CRLF: " + text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

std::string ReadToEnd(HANDLE reader) {
  std::string bytes;
  char buffer[4096];
  for (DWORD read = 0; ReadFile(reader, buffer, sizeof(buffer), &read, nullptr) && read;)
    bytes.append(buffer, read);
  return bytes;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

const wchar_t kSettings[] = L"(a setting, no program)";

// A record as one line, its fields separated by tabs, each as its UTF-16 units in hexadecimal
// (low byte first): no character of a field can disturb the reader (tests/cli/readback.py).
std::string HexRecord(const std::vector<std::wstring>& fields) {
  std::string line;
  char unit[5];
  for (const std::wstring& field : fields) {
    for (const wchar_t c : field)
      line.append(unit, snprintf(unit, sizeof(unit), "%02x%02x", c & 0xFF, c >> 8));
    line += '\t';
  }
  line.back() = '\n';
  return line;
}

// Where cli_readback finds a command's output and, as HexRecord lines, what it should hold.
void ForReadBack(const std::wstring& name, const std::string& bytes) {
  const fs::path folder = fs::path(ProgramFolder()) / L"cli-readback";
  fs::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary) << bytes;
}

struct Registration {
  bool machine;
  std::wstring key;
  const wchar_t* installation;  // nullptr: no default value
  const wchar_t* listedAs;      // the status /check gives; nullptr: not broken
};

const std::vector<Registration> kRegistrations = {
    {true, L"GONE.EXE", L"C:\\nowhere\\gone.exe", Texts::kLegendNotFound},
    {true, L"EMPTY.EXE", L"", Texts::kLegendBroken},
    {true, L"NOTHING.EXE", nullptr, Texts::kLegendBroken},
    {true, L"FINE.EXE", L"regedit.exe", nullptr},  // on the search path
    {true, L"INSTALL.EXE", kSettings, nullptr},
    {true, L"TWIN.EXE", L"C:\\nowhere\\twin.exe", nullptr},  // the user's hides it
    {false, L"TWIN.EXE", L"regedit.exe", nullptr},
    {false, L"Über.exe", L"\"C:\\nowhere\\über.exe\" /x", Texts::kLegendNotFound},
    {false, L"SETUP.EXE", L"", Texts::kLegendBroken},
    // Not known to be missing: neither listed nor removed.
    {true, L"NETZ.EXE", L"\\\\velmarin-no-server\\share\\x.exe", nullptr},
    {true, L"LAUFWERK.EXE", L"Q:\\Tools\\laufwerk.exe", nullptr},  // no Q: in the prefix
    {false, L"VARIABLE.EXE", L"%windir%\\regedit.exe", nullptr},      // REG_SZ, found expanded
};

class CommandLineTest : public AppPathsFixture {
 protected:
  void SetUp() override {
    AppPathsFixture::SetUp();
    folder_ = fs::temp_directory_path() /
              (L"velmarin-cli-" + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const Registration& r : kRegistrations) {
      const DWORD one = 1;
      if (r.installation == kSettings)
        PutRawValue(r.key, L"UseUrl", REG_DWORD, &one, sizeof(one));
      else if (r.machine)
        PutRegistration(r.key, r.installation);
      else
        PutUserRegistration(r.key, r.installation);
    }
  }
  void TearDown() override {
    AppPathsFixture::TearDown();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  // velmarin.exe in the test's folder, standard output into a pipe, errors into a file. A
  // window would never end, so a minute is plenty.
  Output Velmarin(const std::wstring& arguments) const {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    EXPECT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 20));
    UniqueHandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
    const fs::path errorFile = folder_ / L"errors.txt";
    UniqueHandle errors(CreateFileW(errorFile.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS,
                                    0, nullptr));
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer.get();
    startup.hStdError = errors.get();
    const std::wstring program = ProgramFolder() + L"\\velmarin.exe";
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    EXPECT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                               nullptr, folder_.c_str(), &startup, &process));
    UniqueHandle thread(process.hThread), child(process.hProcess);
    writer = UniqueHandle();
    errors = UniqueHandle();
    const std::string bytes = ReadToEnd(reader.get());
    Output output{0, Lines(bytes), {}, bytes};
    EXPECT_TRUE(WaitForProcess(child.get(), 60, &output.exitCode)) << "still running";
    std::ifstream file(errorFile, std::ios::binary);
    output.errors = Lines(std::string(std::istreambuf_iterator<char>(file), {}));
    return output;
  }

  static std::optional<Registry::KeyTree> AppPaths(HKEY root) {
    return Registry::ReadKeyTree(root, Registry::kAppPathsKey);
  }
  // regedit.exe of the Windows folder with `arguments`, in the test's folder.
  bool Regedit(const std::wstring& arguments) const {
    const std::wstring editor = RegistryEditorPath();
    std::optional<UniqueHandle> process =
        StartProgram(editor, L"\"" + editor + L"\" " + arguments, folder_.wstring(), SW_HIDE);
    return process && WaitForProcess(process->get(), 60);
  }

  fs::path folder_;
};

}  // namespace

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
