#pragma once
// A real, hidden main window over the App Paths key of the throwaway prefix, with prompts
// answered by script and a scratch folder of its own that goes when the test ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/AppPathsFixture.h"
#include "support/ScriptedPrompts.h"
#include "ui/Root.h"

class RootFixture : public AppPathsFixture {
 protected:
  // Where the window remembers its size, place and columns per user.
  static constexpr wchar_t kSettingsKey[] = L"Software\\Velmarin";

  void SetUp() override;
  void TearDown() override;

  // The hidden window, with or without its start-up; the backup goes to the scratch folder
  // unless another is named.
  bool Create(bool runStartup, const std::wstring& backupFolder = {});
  // The window over the registrations the test has put in place, filled as a reading of the
  // registry fills it, every status known; no row selected.
  void OpenWindow();
  // The registry read into the window again and its rows shown, with every status known
  // (FillList) or with the existence tests still under way (ShowRows).
  void FillList() {
    ShowRows();
    Settle();
  }
  void ShowRows();
  // What a suite adds to every window OpenWindow fills (a command handler, a message hook).
  virtual void WindowOpened() {}

  // The list once every existence test has answered: rows then show their final pictures.
  ListView& List() {
    Settle();
    return root_->EntryList().LstFileList();
  }
  // Waits (at most ten seconds) for the existence tests under way; false when they did not end.
  bool Settle();
  ListBox& Cache() { return root_->EntryList().LstFileCache(); }
  TextBox& Text1() { return root_->Panel().Text1(); }
  TextBox& Text2() { return root_->Panel().Text2(); }
  TextBox& Text3() { return root_->Panel().Text3(); }
  // The key of the picture a row shows ("Ready", "Achtung", ...); empty for none.
  std::wstring ImageKey(int row);
  // Line `index` of the hidden cache list; empty when there is none.
  std::wstring CacheLine(int index);
  static bool Enabled(const Button& button) { return button.Enabled(); }

  // The first row with this text, -1 when there is none.
  int RowOf(const std::wstring& text);
  // Selects the row with this text and loads it into the editor panel, as a click does.
  void SelectRow(const std::wstring& text);
  // Selects the row with this text and leaves the panel as it is, for a test that sends the
  // event that loads it.
  void SelectRowOnly(const std::wstring& text);
  // The text of the selected row, "<none>" without one.
  std::wstring SelectedText();

  // WM_COMMAND as a menu item or a button sends it to the window.
  void SendCommand(int id, int code = BN_CLICKED);
  // Lets the window handle what waits for it as the program's message loop does, and a key
  // pressed on `target`.
  void PumpAsTheProgram();
  void PressKey(HWND target, UINT key);

  // An existing program file below the scratch folder (folders made as needed).
  std::wstring MakeFile(const std::filesystem::path& relative);
  std::wstring Folder() const { return folder_.wstring(); }

  // The folder the browse dialog starts in next time: the "Path" of the App Paths key itself.
  static void PutLastBrowseFolder(const std::wstring& folder);

  static std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
  }

  ScriptedPrompts prompts_;
  std::unique_ptr<Root> root_;
  std::filesystem::path folder_;
  // Where Create has the user's backup written: a folder of the scratch folder; empty, the
  // program's own choice.
  std::wstring userBackupFolder_;
};
