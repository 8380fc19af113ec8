// The window's start-up: the backup of both keys written, kept or rewritten as the user answers,
// failures named, and the first row in the panel. Real registry, Wine's regedit.exe; prompts
// answered by script.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Others.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"
#include "support/RootFixture.h"
#include "texts/Texts.h"

namespace {

namespace fs = std::filesystem;

std::wstring Text(HWND hwnd) { return WindowText(hwnd); }

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// regedit writes UTF-16; look for a text in it.
bool HoldsUtf16(const std::string& bytes, const std::wstring& text) {
  const std::string needle(reinterpret_cast<const char*>(text.data()),
                           text.size() * sizeof(wchar_t));
  return bytes.find(needle) != std::string::npos;
}

// The message with the files it names, one a line.
std::wstring WithFiles(const wchar_t* message, const std::vector<fs::path>& files) {
  std::wstring text = message;
  for (const fs::path& file : files) text += L"\n" + file.wstring();
  return text + L"\n \n" + Texts::kBackupAdvice1 + L"\n" + Texts::kBackupAdvice2;
}

class StartupTest : public RootFixture {
 protected:
  fs::path BackupFile() const { return folder_ / L"AppBackup.reg"; }
};

TEST_F(StartupTest, FirstRunWritesTheBackupAndSaysSo) {
  const std::wstring tool = MakeFile(L"tool.exe");
  PutRegistration(L"NOTEPAD.EXE", tool.c_str(), L"C:\\windows;");
  PutRegistration(L"GONE.EXE", L"C:\\nowhere\\gone.exe");
  ASSERT_FALSE(fs::exists(BackupFile()));
  ASSERT_TRUE(Create(true));

  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, WithFiles(Texts::kBackupWritten, {BackupFile()}));
  EXPECT_EQ(prompts_.messages[0].title, L" Velmarin");
  EXPECT_EQ(prompts_.messages[0].flags, 0x30u);

  const std::string backup = ReadBytes(BackupFile());
  EXPECT_TRUE(HoldsUtf16(backup, L"App Paths\\NOTEPAD.EXE"));
  EXPECT_TRUE(HoldsUtf16(backup, L"App Paths\\GONE.EXE"));

  // The list is filled and the Keyname column hidden.
  EXPECT_EQ(root_->EntryList().LstFileList().Count(), 2);
  EXPECT_EQ(root_->EntryList().LstFileList().ColumnWidth(1), 0);
  EXPECT_EQ(Text(root_->LabFileError()), L" 1 fehlerhafter Eintrag");
}

// The user's key goes into the user's own %LOCALAPPDATA%\Velmarin, made when missing, so that
// the users of one copy never share it; the message names every file it concerns.
TEST_F(StartupTest, TheUsersBackupGoesIntoTheirOwnFolderAndTheMessageNamesTheFiles) {
  PutUserRegistration(L"MINE.EXE", L"C:\\nowhere\\mine.exe");
  const fs::path own = fs::path(SpecialFolderPath(FOLDERID_LocalAppData)) / L"Velmarin";
  const fs::path userFile = own / L"AppBackupBenutzer.reg";
  fs::remove_all(own);
  userBackupFolder_.clear();
  ASSERT_TRUE(Create(true));
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, WithFiles(Texts::kBackupWritten, {BackupFile(), userFile}));
  EXPECT_TRUE(HoldsUtf16(ReadBytes(userFile), L"App Paths\\MINE.EXE"));
  EXPECT_FALSE(HoldsUtf16(ReadBytes(BackupFile()), L"MINE.EXE"));
  fs::remove_all(own);
}

TEST_F(StartupTest, LaterRunAnsweredNoLeavesTheBackupAlone) {
  WriteBytes(BackupFile(), "old backup");
  prompts_.messageAnswers = {IDNO};
  ASSERT_TRUE(Create(true));
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, WithFiles(Texts::kBackupOverwriteQuestion, {BackupFile()}));
  EXPECT_EQ(prompts_.messages[0].title, L" Velmarin");
  EXPECT_EQ(prompts_.messages[0].flags, 0x34u);
  EXPECT_EQ(ReadBytes(BackupFile()), "old backup");
}

TEST_F(StartupTest, LaterRunAnsweredYesRewritesTheBackup) {
  PutRegistration(L"TOOL.EXE", L"C:\\x\\tool.exe");
  WriteBytes(BackupFile(), "old backup");
  prompts_.messageAnswers = {IDYES};
  ASSERT_TRUE(Create(true));
  ASSERT_EQ(prompts_.messages.size(), 1u);  // the question only
  EXPECT_EQ(prompts_.messages[0].text, WithFiles(Texts::kBackupOverwriteQuestion, {BackupFile()}));
  const std::string backup = ReadBytes(BackupFile());
  EXPECT_NE(backup, "old backup");
  EXPECT_TRUE(HoldsUtf16(backup, L"App Paths\\TOOL.EXE"));
}

// The registry editor cannot write into a folder that does not exist: the user is told so,
// not that the backup was made.
TEST_F(StartupTest, BackupThatWasNotWrittenIsReportedAsAFailure) {
  const fs::path missing = folder_ / L"fehlt" / L"auch";
  ASSERT_TRUE(Create(true, missing.wstring()));
  ASSERT_EQ(prompts_.messages.size(), 1u);
  const AskedMessage& m = prompts_.messages[0];
  EXPECT_EQ(m.text, std::wstring(Texts::kBackupFailed) + L"\n" + (missing / L"AppBackup.reg").wstring());
  EXPECT_EQ(m.title, L" Velmarin");
  EXPECT_EQ(m.flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_FALSE(fs::exists(missing / L"AppBackup.reg"));
}

TEST_F(StartupTest, FailedRewriteAfterYesIsReported) {
  // A folder in place of the file: it "exists", so the question comes, but nothing can be
  // written there.
  fs::create_directory(BackupFile());
  prompts_.messageAnswers = {IDYES};
  ASSERT_TRUE(Create(true));
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[0].text, WithFiles(Texts::kBackupOverwriteQuestion, {BackupFile()}));
  EXPECT_EQ(prompts_.messages[1].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(prompts_.messages[1].text.rfind(Texts::kBackupFailed, 0), 0u);
}

TEST_F(StartupTest, StartupLoadsTheFirstRowIntoThePanel) {
  const std::wstring tool = MakeFile(L"tool.exe");
  PutRegistration(L"TOOL.EXE", tool.c_str(), L"C:\\Tools;");
  WriteBytes(BackupFile(), "old");
  prompts_.messageAnswers = {IDNO};
  ASSERT_TRUE(Create(true));
  EXPECT_EQ(root_->EntryList().LstFileList().SelectedIndex(), 0);
  EXPECT_EQ(Text1().Text(), L"Tool.exe");
  EXPECT_EQ(Text2().Text(), tool);
  EXPECT_EQ(Text3().Text(), L"C:\\Tools;");
  EXPECT_TRUE(Text1().Locked());
}

TEST_F(StartupTest, StartupOnAnEmptyCatalogueStillOffersTheBackup) {
  ASSERT_TRUE(Create(true));
  EXPECT_EQ(root_->EntryList().LstFileList().Count(), 0);
  EXPECT_EQ(Text(root_->LabFileError()), Texts::kNoBrokenEntries);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, WithFiles(Texts::kBackupWritten, {BackupFile()}));
  EXPECT_TRUE(fs::exists(BackupFile()));
}

}  // namespace
