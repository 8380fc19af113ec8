#include <gtest/gtest.h>

#include "ui/EditorPanelRules.h"

TEST(EditorPanelRules, OnlyBackspaceEmptiesTheDirectory) {
  EXPECT_TRUE(EmptiesDirectory(L'\b'));
  for (wchar_t other : {L'\x7f', L'\x1b', L'a', L'\r', L'\0'})
    EXPECT_FALSE(EmptiesDirectory(other)) << static_cast<int>(other);
}

TEST(EditorPanelRules, ChosenFileGivesNormalisedNameItsFolderAndDirectoryList) {
  const BrowsedProgram tool = ProgramFromChosenFile(L"C:\\Programme\\Tools\\MYTOOL.EXE");
  EXPECT_EQ(tool.fileName, L"Mytool.exe");
  EXPECT_EQ(tool.folder, L"C:\\Programme\\Tools\\");
  EXPECT_EQ(tool.installation, L"C:\\Programme\\Tools\\Mytool.exe");
  EXPECT_EQ(tool.directory, L"C:\\Programme\\Tools;");

  // The folder keeps its case; only the file name is normalised.
  const BrowsedProgram word = ProgramFromChosenFile(L"D:\\Office Neu\\winword.exe");
  EXPECT_EQ(word.installation, L"D:\\Office Neu\\Winword.exe");
  EXPECT_EQ(word.directory, L"D:\\Office Neu;");

  const BrowsedProgram atRoot = ProgramFromChosenFile(L"C:\\TOOL.EXE");
  EXPECT_EQ(atRoot.installation, L"C:\\Tool.exe");
  EXPECT_EQ(atRoot.directory, L"C:;");

  const BrowsedProgram umlaut = ProgramFromChosenFile(L"C:\\X\\ÜBERSICHT.EXE");
  EXPECT_EQ(umlaut.fileName, L"Übersicht.exe");
}

TEST(EditorPanelRules, ChosenFileWithoutFolderGivesNoDirectory) {
  const BrowsedProgram bare = ProgramFromChosenFile(L"TOOL.EXE");
  EXPECT_EQ(bare.fileName, L"Tool.exe");
  EXPECT_EQ(bare.installation, L"Tool.exe");
  EXPECT_EQ(bare.directory, L"");
}

TEST(EditorPanelRules, FileNameBoxKeepsANameAndReplacesTheEmptyBoxOrPlaceholder) {
  EXPECT_EQ(FileNameAfterBrowse(L"Neuer Eintrag", L"Mytool.exe"), L"Mytool.exe");
  EXPECT_EQ(FileNameAfterBrowse(L"", L"Mytool.exe"), L"Mytool.exe");
  EXPECT_EQ(FileNameAfterBrowse(L"Word.exe", L"Mytool.exe"), L"Word.exe");
  EXPECT_EQ(FileNameAfterBrowse(L"neuer eintrag", L"Mytool.exe"), L"neuer eintrag");
}
