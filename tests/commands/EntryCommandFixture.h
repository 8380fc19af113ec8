#pragma once
// A real, hidden main window over the App Paths key of the throwaway prefix, filled as the
// start-up fills it, with prompts answered by script and a scratch folder of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/Registry.h"
#include "support/AppPathsFixture.h"
#include "support/ScriptedPrompts.h"
#include "ui/Root.h"

class EntryCommandFixture : public AppPathsFixture {
 protected:
  void SetUp() override {
    AppPathsFixture::SetUp();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    folder_ = std::filesystem::path(temp) / (L"velmarin-cmd-" +
                                             std::to_wstring(GetCurrentProcessId()) + L"-" +
                                             std::to_wstring(++counter));
    std::filesystem::create_directories(folder_);
  }

  void TearDown() override {
    root_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // The window over the registrations the test has put in place; no row selected.
  void OpenWindow() {
    root_ = std::make_unique<Root>(prompts_);
    RootOptions options;
    options.runStartup = false;
    options.show = false;
    options.backupFolder = folder_.wstring();
    ASSERT_TRUE(root_->Create(GetModuleHandleW(nullptr), options));
    if (root_->GetFileCaches(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey)) root_->GetFileListe();
  }

  // Selects the row with this text and loads it into the editor panel, as a click does.
  void SelectRow(const std::wstring& text) {
    const int row = RowOf(text);
    ASSERT_GE(row, 0) << "no row " << std::string(text.begin(), text.end());
    ASSERT_TRUE(List().Select(row));
    root_->LoadSelectedRow();
  }

  int RowOf(const std::wstring& text) const {
    for (int i = 0; i < root_->LstFileList().Count(); ++i)
      if (root_->LstFileList().Text(i) == text) return i;
    return -1;
  }

  ListView& List() { return root_->LstFileList(); }

  std::wstring MakeFile(const std::filesystem::path& path, const std::string& bytes = "MZ") {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path.wstring();
  }

  ScriptedPrompts prompts_;
  std::unique_ptr<Root> root_;
  std::filesystem::path folder_;
};
