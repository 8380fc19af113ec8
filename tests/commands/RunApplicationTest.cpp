// mnuAusführen with real processes: a small probe program reports the folder it started in and
// the command line it got.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "commands/Commands.h"
#include "platform/Others.h"
#include "platform/Processes.h"
#include "support/RootFixture.h"
#include "texts/Texts.h"

namespace {

namespace fs = std::filesystem;

struct ProbeReport {
  std::wstring folder;
  std::wstring commandLine;
  std::wstring elevation;  // "elevated" or "limited"
};

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH * 2] = {};
  GetCurrentDirectoryW(MAX_PATH * 2, folder);
  return folder;
}

// Folders compare as the file system does: letter case aside, a final backslash aside.
std::wstring FolderKey(std::wstring folder) {
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  for (wchar_t& c : folder) c = static_cast<wchar_t>(std::towupper(c));
  return folder;
}

class RunApplicationTest : public RootFixture {
 protected:
  void SetUp() override {
    RootFixture::SetUp();
    // The probe sits in a folder with a blank; a second probe where a command line read
    // without quotes would find a program ("<folder>\Test.exe" for "<folder>\Test Tools\...").
    probe_ = folder_ / L"Test Tools" / L"tool.exe";
    decoy_ = folder_ / L"Test.exe";
    fs::create_directories(probe_.parent_path());
    const fs::path built = fs::path(ProgramFolder()) / L"run_probe.exe";
    ASSERT_TRUE(CopyFileW(built.c_str(), probe_.c_str(), FALSE)) << "run_probe.exe missing";
    ASSERT_TRUE(CopyFileW(built.c_str(), decoy_.c_str(), FALSE));
  }

  // Registers `installation` with `directory`, opens the window and selects the row.
  void ShowEntry(const wchar_t* installation, const wchar_t* directory) {
    PutRegistration(L"TOOL.EXE", installation, directory);
    OpenWindow();
    SelectRow(L"Tool.exe");
  }

  static fs::path ReportOf(const fs::path& program) { return program.wstring() + L".txt"; }

  // What the probe wrote, once it has written all of it (the file appears before its lines
  // are in it); nothing when it did not within the time.
  static std::optional<ProbeReport> AwaitReport(const fs::path& program, int milliseconds = 20000) {
    for (int waited = 0;; waited += 50) {
      if (const std::optional<ProbeReport> report = ReadReport(ReportOf(program))) return report;
      if (waited >= milliseconds) return std::nullopt;
      Sleep(50);
    }
  }

  static std::optional<ProbeReport> ReadReport(const fs::path& report) {
    std::ifstream in(report, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()),
                            bytes.size() / sizeof(wchar_t));
    const size_t first = text.find(L'\n');
    const size_t second = text.find(L'\n', first + 1);
    const size_t third = text.find(L'\n', second + 1);
    if (first == std::wstring::npos || second == std::wstring::npos || third == std::wstring::npos)
      return std::nullopt;
    return ProbeReport{text.substr(0, first), text.substr(first + 1, second - first - 1),
                       text.substr(second + 1, third - second - 1)};
  }

  // "Ausführen". Under Wine every process runs elevated and there is no shell whose rights a
  // program could be given, so the command asks first; the tests of where and how the program
  // starts answer Yes, and the question is taken off the record.
  void Run() {
    prompts_.messageAnswers.push_front(IDYES);
    RunApplication(*root_);
    if (!prompts_.messages.empty() && prompts_.messages[0].text == Texts::kRunElevatedQuestion)
      prompts_.messages.erase(prompts_.messages.begin());
    else
      prompts_.messageAnswers.pop_front();
  }

  std::wstring Probe() const { return probe_.wstring(); }
  std::wstring Quoted(const std::wstring& text) const { return L"\"" + text + L"\""; }

  fs::path probe_;
  fs::path decoy_;
};

// Elevated, Velmarin never hands its rights on unasked: without the signed-in user's rights at
// hand (Wine has no shell process) it asks, No starts nothing, Yes starts the program elevated.
TEST_F(RunApplicationTest, ElevatedStartWithoutTheUsersRightsAsksFirst) {
  ShowEntry(Probe().c_str(), L"");
  ASSERT_TRUE(RunsElevated()) << "Wine runs every process elevated";
  ASSERT_EQ(GetShellWindow(), nullptr);
  prompts_.messageAnswers = {IDNO};
  RunApplication(*root_);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, Texts::kRunElevatedQuestion);
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  EXPECT_FALSE(AwaitReport(probe_, 1500)) << "No started the program";

  prompts_.messageAnswers = {IDYES};
  RunApplication(*root_);
  const std::optional<ProbeReport> report = AwaitReport(probe_);
  ASSERT_TRUE(report);
  EXPECT_EQ(report->elevation, L"elevated");
}

TEST_F(RunApplicationTest, UnquotedPathWithBlankStartsThatProgramInItsOwnFolder) {
  const std::wstring ourFolder = CurrentFolder();
  ShowEntry(Probe().c_str(), L"");

  Run();

  const std::optional<ProbeReport> report = AwaitReport(probe_);
  ASSERT_TRUE(report) << "the program did not start";
  EXPECT_EQ(FolderKey(report->folder), FolderKey(probe_.parent_path().wstring()));
  EXPECT_EQ(report->commandLine, Quoted(Probe()));
  EXPECT_FALSE(fs::exists(ReportOf(decoy_))) << "the blank split the path";
  EXPECT_EQ(CurrentFolder(), ourFolder) << "our own folder is not the program's business";
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(RunApplicationTest, ArgumentsAfterAnUnquotedProgramArePassedOn) {
  const std::wstring installation = Probe() + L" -x \"a b\"";
  ShowEntry(installation.c_str(), (folder_.wstring() + L";").c_str());

  Run();

  const std::optional<ProbeReport> report = AwaitReport(probe_);
  ASSERT_TRUE(report) << "the program did not start";
  EXPECT_EQ(report->commandLine, Quoted(Probe()) + L" -x \"a b\"");
  EXPECT_EQ(FolderKey(report->folder), FolderKey(folder_.wstring()));
  EXPECT_FALSE(fs::exists(ReportOf(decoy_)));
}

TEST_F(RunApplicationTest, QuotedProgramWithArgumentsStartsInTheCleanedDirectory) {
  const std::wstring installation = Quoted(Probe()) + L" /a";
  const std::wstring directory = Quoted(folder_.wstring()) + L";";
  ShowEntry(installation.c_str(), directory.c_str());

  Run();

  const std::optional<ProbeReport> report = AwaitReport(probe_);
  ASSERT_TRUE(report) << "the program did not start";
  EXPECT_EQ(report->commandLine, Quoted(Probe()) + L" /a");
  EXPECT_EQ(FolderKey(report->folder), FolderKey(folder_.wstring()));
}

// Stored as REG_EXPAND_SZ, program and folder are what the shell makes of them.
TEST_F(RunApplicationTest, ExpandableRegistrationStartsItsExpandedProgramInItsExpandedFolder) {
  ASSERT_TRUE(SetEnvironmentVariableW(L"VELMARIN_PROBES", folder_.c_str()));
  const std::wstring program = L"\"%VELMARIN_PROBES%\\Test Tools\\tool.exe\" -x";
  const std::wstring directory = L"%VELMARIN_PROBES%;";
  PutRawValue(L"TOOL.EXE", L"", REG_EXPAND_SZ, program.c_str(),
              static_cast<DWORD>((program.size() + 1) * sizeof(wchar_t)));
  PutRawValue(L"TOOL.EXE", L"Path", REG_EXPAND_SZ, directory.c_str(),
              static_cast<DWORD>((directory.size() + 1) * sizeof(wchar_t)));
  OpenWindow();
  SelectRow(L"Tool.exe");
  EXPECT_EQ(ImageKey(List().SelectedIndex()), L"Ready");

  Run();

  const std::optional<ProbeReport> report = AwaitReport(probe_);
  SetEnvironmentVariableW(L"VELMARIN_PROBES", nullptr);
  ASSERT_TRUE(report) << "the program did not start";
  EXPECT_EQ(report->commandLine, Quoted(Probe()) + L" -x");
  EXPECT_EQ(FolderKey(report->folder), FolderKey(folder_.wstring()));
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(RunApplicationTest, DirectoryThatDoesNotExistLeavesTheProgramInOurFolder) {
  const std::wstring missing = (folder_ / L"gone").wstring() + L";";
  ShowEntry(Probe().c_str(), missing.c_str());

  Run();

  const std::optional<ProbeReport> report = AwaitReport(probe_);
  ASSERT_TRUE(report) << "the program did not start";
  EXPECT_EQ(FolderKey(report->folder), FolderKey(CurrentFolder()));
}

TEST_F(RunApplicationTest, PanelTextsAreRunAsTheyStandNotTheSavedOnes) {
  ShowEntry(L"C:\\nowhere\\tool.exe", L"");
  Text2().SetText(Probe());

  Run();

  ASSERT_TRUE(AwaitReport(probe_)) << "the program typed into the panel did not start";
}

// A missing program named by its path is named with the system's reason; a bare name that no
// folder of the search path holds gets the general message.
TEST_F(RunApplicationTest, MissingProgramIsReportedByNameAndNothingStarts) {
  const std::wstring missing = (folder_ / L"Test Tools" / L"missing.exe").wstring();
  fs::create_directories(folder_ / L"Test Tools");
  ShowEntry(missing.c_str(), L"");

  Run();

  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, std::wstring(Texts::kRunProgramMissing) + L"\n" + missing +
                                           L"\n" + SystemMessage(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(prompts_.messages[0].title, L" Tool.exe");
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  EXPECT_FALSE(fs::exists(ReportOf(decoy_)));

  prompts_.messages.clear();
  Text2().SetText(L"velmarin-nirgends.exe");
  Run();
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, Texts::kRunFailed);
}

TEST_F(RunApplicationTest, FileThatCannotBeStartedIsReportedWithTheSystemsReason) {
  // A folder passes the existence test but is no program.
  ShowEntry(probe_.parent_path().c_str(), L"");

  Run();

  ASSERT_EQ(prompts_.messages.size(), 1u);
  const AskedMessage& message = prompts_.messages[0];
  const std::wstring start =
      std::wstring(Texts::kRunStartFailed) + L"\n" + probe_.parent_path().wstring() + L"\n";
  EXPECT_EQ(message.text.rfind(start, 0), 0u)
      << std::string(message.text.begin(), message.text.end());
  EXPECT_GT(message.text.size(), start.size()) << "the system's reason is missing";
  EXPECT_EQ(message.title, L" Tool.exe");
  EXPECT_EQ(message.flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
}

TEST_F(RunApplicationTest, NothingHappensWithoutASelectedRow) {
  PutRegistration(L"TOOL.EXE", Probe().c_str(), L"");
  OpenWindow();
  Text2().SetText(Probe());
  ASSERT_TRUE(List().Select(-1));

  Run();

  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_FALSE(AwaitReport(probe_, 1500)) << "started without a selected row";
}

}  // namespace
