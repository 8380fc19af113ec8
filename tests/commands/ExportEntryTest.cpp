// mnuExportieren with Wine's own regedit.exe: the file it writes, re-imported, restores the key.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "commands/Commands.h"
#include "platform/Others.h"
#include "platform/Processes.h"
#include "platform/Text.h"
#include "support/RootFixture.h"
#include "texts/Texts.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// regedit writes UTF-16 with a byte order mark.
std::wstring ReadRegFile(const fs::path& path) {
  const std::string bytes = ReadBytes(path);
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  if (!text.empty() && text.front() == 0xFEFF) text.erase(0, 1);
  return text;
}

bool HoldsIgnoringCase(const std::wstring& text, const std::wstring& part) {
  return FindIgnoreCase(text, part) != std::wstring::npos;
}

bool ImportWithRegistryEditor(const fs::path& file) {
  const std::wstring editor = RegistryEditorPath();
  std::optional<UniqueHandle> process =
      StartProgram(editor, L"\"" + editor + L"\" /s \"" + file.wstring() + L"\"", L"",
                   SW_SHOWMINIMIZED);
  DWORD exitCode = 1;
  return process && WaitForProcess(process->get(), 60, &exitCode);
}

const wchar_t kKeyOfTool[] =
    L"[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tool.exe]";

class ExportEntryTest : public RootFixture {
 protected:
  // The folders exports of this process make for the registry editor's file.
  static int OwnTemporaryFolders() {
    int count = 0;
    const std::wstring prefix = L"Velmarin-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (const auto& item : fs::directory_iterator(fs::temp_directory_path()))
      if (item.path().filename().wstring().rfind(prefix, 0) == 0) ++count;
    return count;
  }
  fs::path Target() const { return folder_ / L"Tool export.reg"; }

  void ExpectOnlyFailureMessage(const wchar_t* text) {
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text.rfind(text, 0), 0u);
    EXPECT_EQ(prompts_.messages[0].title, L" Velmarin");
    EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
  }
};

TEST_F(ExportEntryTest, FileHoldsTheEntrysKeyOnlyAndRestoresItWhenImported) {
  PutRegistration(L"TOOL.EXE", L"C:\\Tools\\tool.exe /n", L"C:\\Tools;");
  const DWORD useUrl = 1;
  PutRawValue(L"TOOL.EXE", L"UseUrl", REG_DWORD, &useUrl, sizeof(useUrl));
  PutRegistration(L"TOOL.EXE\\SupportedProtocols", L"http");
  PutRegistration(L"OTHER.EXE", L"C:\\Other\\other.exe");
  OpenWindow();
  SelectRow(L"Tool.exe");
  prompts_.saveAnswers.push_back(Target().wstring());

  ExportEntry(*root_);

  EXPECT_TRUE(prompts_.messages.empty());
  ASSERT_TRUE(fs::exists(Target()));
  const std::wstring text = ReadRegFile(Target());
  EXPECT_TRUE(HoldsIgnoringCase(text, kKeyOfTool)) << std::string(text.begin(), text.end());
  EXPECT_TRUE(HoldsIgnoringCase(text, L"SupportedProtocols]"));
  EXPECT_FALSE(HoldsIgnoringCase(text, L"OTHER.EXE"));
  EXPECT_EQ(OwnTemporaryFolders(), 0) << "the registry editor's file is removed after the copy";
  EXPECT_EQ(root_->Dialog1FileName(), Target().wstring());

  ASSERT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE").c_str()), ERROR_SUCCESS);
  ASSERT_TRUE(ImportWithRegistryEditor(Target()));
  EXPECT_EQ(ReadText(L"TOOL.EXE", L""), L"C:\\Tools\\tool.exe /n");
  EXPECT_EQ(ReadText(L"TOOL.EXE", L"Path"), L"C:\\Tools;");
  EXPECT_EQ(ReadText(L"TOOL.EXE\\SupportedProtocols", L""), L"http");
}

TEST_F(ExportEntryTest, SaveDialogProposesTheNameWithItsLastThreeCharactersReplacedByReg) {
  PutRegistration(L"WINWORD.EXE", L"C:\\Office\\winword.exe");
  PutRegistration(L"TOOL.EX", L"C:\\Tools\\tool.ex");
  PutRegistration(L"AB", L"C:\\Tools\\ab");
  OpenWindow();

  for (const wchar_t* row : {L"Winword.exe", L"Tool.ex", L"Ab"}) {
    SelectRow(row);
    ExportEntry(*root_);
  }

  std::string told;
  for (const AskedMessage& m : prompts_.messages) told += Narrow(m.text) + "|";
  ASSERT_EQ(prompts_.saveRequests.size(), 3u) << told;
  const FileDialogRequest& first = prompts_.saveRequests[0];
  EXPECT_EQ(first.fileName, L"Winword.reg");
  EXPECT_EQ(first.title, Texts::kExportTitle);
  EXPECT_EQ(first.filter, Texts::kExportFilter);
  EXPECT_EQ(first.flags, 0x20080Eu);
  EXPECT_EQ(prompts_.saveRequests[1].fileName, L"Toolreg");
  EXPECT_EQ(prompts_.saveRequests[2].fileName, L"") << "a short name proposes nothing";
}

TEST_F(ExportEntryTest, CancelCopiesNothingAndTheDialogKeepsTheProposal) {
  PutRegistration(L"TOOL.EXE", L"C:\\Tools\\tool.exe");
  OpenWindow();
  SelectRow(L"Tool.exe");
  root_->Dialog1FileName() = L"C:\\Earlier\\browse.exe";

  ExportEntry(*root_);

  EXPECT_EQ(prompts_.saveRequests.size(), 1u);
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_TRUE(fs::is_empty(folder_));
  EXPECT_EQ(root_->Dialog1FileName(), L"Tool.reg");
}

TEST_F(ExportEntryTest, RegistrationGoneSinceTheListWasFilledIsReportedAndNoStaleFileCopied) {
  PutRegistration(L"TOOL.EXE", L"C:\\Tools\\tool.exe");
  OpenWindow();
  SelectRow(L"Tool.exe");
  ASSERT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath(L"TOOL.EXE").c_str()), ERROR_SUCCESS);
  prompts_.saveAnswers.push_back(Target().wstring());

  ExportEntry(*root_);

  ExpectOnlyFailureMessage(Texts::kExportFailed);
  EXPECT_TRUE(prompts_.saveRequests.empty()) << "nothing to save, so nothing to ask";
  EXPECT_FALSE(fs::exists(Target()));
}

TEST_F(ExportEntryTest, KeyNameTheRegistryEditorCannotBeGivenIsReported) {
  // A quote would end the editor's argument early; the command line is refused.
  PutRegistration(L"A\"B.EXE", L"C:\\Tools\\ab.exe");
  OpenWindow();
  SelectRow(L"A\"b.exe");
  prompts_.saveAnswers.push_back(Target().wstring());

  ExportEntry(*root_);

  ExpectOnlyFailureMessage(Texts::kExportFailed);
  EXPECT_FALSE(fs::exists(Target()));
}

TEST_F(ExportEntryTest, CopyThatFailsIsReportedWithTheTarget) {
  PutRegistration(L"TOOL.EXE", L"C:\\Tools\\tool.exe");
  OpenWindow();
  SelectRow(L"Tool.exe");
  const fs::path unreachable = folder_ / L"no such folder" / L"Tool.reg";
  prompts_.saveAnswers.push_back(unreachable.wstring());

  ExportEntry(*root_);

  ExpectOnlyFailureMessage(Texts::kExportCopyFailed);
  EXPECT_NE(prompts_.messages[0].text.find(unreachable.wstring()), std::wstring::npos);
}

TEST_F(ExportEntryTest, NothingHappensWithoutASelectedRow) {
  PutRegistration(L"TOOL.EXE", L"C:\\Tools\\tool.exe");
  OpenWindow();
  ASSERT_TRUE(List().Select(-1));

  ExportEntry(*root_);

  EXPECT_TRUE(prompts_.saveRequests.empty());
  EXPECT_TRUE(prompts_.messages.empty());
}

}  // namespace
