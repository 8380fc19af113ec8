#pragma once
// A real, hidden main window over the App Paths key of the throwaway prefix, filled as the
// start-up fills it. Save, New entry and Delete are reached the way the window reaches them:
// through Root::RunCommand. Keys whose access a test restricts are opened up again afterwards,
// so the next test can empty the App Paths key.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/Commands.h"
#include "platform/Registry.h"
#include "support/AppPathsFixture.h"
#include "support/ScriptedPrompts.h"
#include "ui/Root.h"

class PanelCommandsFixture : public AppPathsFixture {
 protected:
  void SetUp() override {
    AppPathsFixture::SetUp();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    folder_ = std::filesystem::path(temp) / (L"velmarin-panel-" +
                                             std::to_wstring(GetCurrentProcessId()) + L"-" +
                                             std::to_wstring(++counter));
    std::filesystem::create_directories(folder_);
  }

  void TearDown() override {
    root_.reset();
    for (const std::wstring& key : restricted_) SetAccess(key, L"D:(A;CI;KA;;;WD)");
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  void OpenWindow() {
    root_ = std::make_unique<Root>(prompts_);
    RootOptions options;
    options.runStartup = false;
    options.show = false;
    options.backupFolder = folder_.wstring();
    ASSERT_TRUE(root_->Create(GetModuleHandleW(nullptr), options));
    root_->SetCommandHandler([this](Command command) { Handle(command); });
    if (root_->GetFileCaches(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey)) root_->GetFileListe();
  }

  SaveResult Save(SaveOptions options = {}) {
    saveOptions_ = std::move(options);
    lastSave_.reset();
    EXPECT_TRUE(root_->RunCommand(Command::Speichern));
    return lastSave_.value_or(SaveResult::Failed);
  }
  void New() { EXPECT_TRUE(root_->RunCommand(Command::Hinzufügen)); }
  void Delete() { EXPECT_TRUE(root_->RunCommand(Command::Löschen)); }

  // Selects the row with this text and loads it into the panel, as a click does.
  void SelectRow(const std::wstring& text) {
    const int row = RowOf(text);
    ASSERT_GE(row, 0) << "no row " << Narrow(text);
    ASSERT_TRUE(List().Select(row));
    root_->LoadSelectedRow();
  }

  int RowOf(const std::wstring& text) {
    for (int i = 0; i < List().Count(); ++i)
      if (List().Text(i) == text) return i;
    return -1;
  }

  std::vector<std::wstring> RowTexts(int row) {
    std::vector<std::wstring> texts;
    for (int column = 0; column < 4; ++column) texts.push_back(List().Text(row, column));
    return texts;
  }

  std::wstring SelectedText() {
    const int row = List().SelectedIndex();
    return row < 0 ? L"<none>" : List().Text(row);
  }

  ListView& List() { return root_->LstFileList(); }
  ListBox& Cache() { return root_->LstFileCache(); }
  TextBox& Text1() { return root_->Text1(); }
  TextBox& Text2() { return root_->Text2(); }
  TextBox& Text3() { return root_->Text3(); }

  // An existing program file in the test's folder.
  std::wstring MakeFile(const std::wstring& name) {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << "MZ";
    return path.wstring();
  }

  // The class text the key was created with.
  static std::wstring ClassOf(const std::wstring& key) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
      return L"<no key>";
    wchar_t buffer[64] = {};
    DWORD length = 64;
    const LONG code = RegQueryInfoKeyW(h, buffer, &length, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(h);
    return code == ERROR_SUCCESS ? std::wstring(buffer, length) : L"<error>";
  }

  static DWORD TypeOf(const std::wstring& key, const std::wstring& valueName) {
    DWORD type = REG_NONE;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), valueName.c_str(),
                     RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr) != ERROR_SUCCESS)
      return REG_NONE;
    return type;
  }

  // Lets everybody do everything with App Paths\<key> except what `denied` names.
  void Deny(const std::wstring& key, DWORD denied) {
    wchar_t sddl[64];
    swprintf(sddl, 64, L"D:(D;;0x%lx;;;WD)(A;;KA;;;WD)", static_cast<unsigned long>(denied));
    ASSERT_TRUE(SetAccess(key, sddl));
    restricted_.push_back(key);
  }

  // App Paths itself made volatile: the registry then refuses to create lasting keys below it.
  static void MakeAppPathsVolatile() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(h);
  }

  static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

  ScriptedPrompts prompts_;
  std::unique_ptr<Root> root_;
  std::filesystem::path folder_;

 private:
  void Handle(Command command) {
    switch (command) {
      case Command::Speichern:
        lastSave_ = SaveEntry(*root_, saveOptions_);
        break;
      case Command::Hinzufügen:
        NewEntry(*root_);
        break;
      case Command::Löschen:
        DeleteEntry(*root_);
        break;
      default:
        break;
    }
  }

  static bool SetAccess(const std::wstring& key, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                              nullptr))
      return false;
    HKEY h = nullptr;
    LONG code = RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyPath(key).c_str(), 0, WRITE_DAC, &h);
    if (code == ERROR_SUCCESS) {
      code = RegSetKeySecurity(h, DACL_SECURITY_INFORMATION, descriptor);
      RegCloseKey(h);
    }
    LocalFree(descriptor);
    return code == ERROR_SUCCESS;
  }

  SaveOptions saveOptions_;
  std::optional<SaveResult> lastSave_;
  std::vector<std::wstring> restricted_;
};
