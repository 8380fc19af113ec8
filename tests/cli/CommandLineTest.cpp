// The real velmarin.exe started with arguments, its output redirected as a script would: the
// lines, the exit code and what is left in the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/Others.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "support/AppPathsFixture.h"
#include "ui/Texts.h"

namespace {

namespace fs = std::filesystem;

struct Output {
  DWORD exitCode = 0;
  std::vector<std::wstring> lines;  // standard output
  std::vector<std::wstring> errors;
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
    Output output{0, Lines(ReadToEnd(reader.get()))};
    EXPECT_TRUE(WaitForProcess(child.get(), 60, &output.exitCode)) << "still running";
    std::ifstream file(errorFile, std::ios::binary);
    output.errors = Lines(std::string(std::istreambuf_iterator<char>(file), {}));
    return output;
  }

  static std::optional<Registry::KeyTree> AppPaths(HKEY root) {
    return Registry::ReadKeyTree(root, Registry::kAppPathsKey);
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

    const std::wstring editor = RegistryEditorPath();
    std::optional<UniqueHandle> import =
        StartProgram(editor, L"\"" + editor + L"\" /s \"" + undo + L"\"", L"", SW_HIDE);
    ASSERT_TRUE(import && WaitForProcess(import->get(), 60));
    EXPECT_EQ(AppPaths(HKEY_LOCAL_MACHINE), machineBefore);
    EXPECT_EQ(AppPaths(HKEY_CURRENT_USER), userBefore);
  }
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
  const struct {
    const wchar_t* arguments;
    DWORD denied;  // on the machine's App Paths key, from this row on
    DWORD exitCode;
    std::wstring firstError;
  } cases[] = {
      {L"/clean missing\\undo.reg", 0, 252, Texts::kCliNothingRemovedFailure},
      {L"/clean earlier.reg", 0, 252,
       Texts::kCliUndoFileExists + (folder_ / L"earlier.reg").wstring()},
      {L"/check", KEY_ENUMERATE_SUB_KEYS, 251, unreadable},
      {L"/clean undo.reg", 0, 251, unreadable},
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
      {L"/check now", 254, L"Überzählige Angabe: now"},
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
