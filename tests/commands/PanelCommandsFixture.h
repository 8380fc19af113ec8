#pragma once
// The hidden main window with Save, New entry and Delete reached the way the window reaches
// them: through Root::RunCommand.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/Commands.h"
#include "platform/Registry.h"
#include "support/RootFixture.h"

class PanelCommandsFixture : public RootFixture {
 protected:
  void WindowOpened() override {
    root_->SetCommandHandler([this](Command command) { Handle(command); });
  }

  SaveResult Save(SaveOptions options = {}) {
    saveOptions_ = std::move(options);
    lastSave_.reset();
    EXPECT_TRUE(root_->RunCommand(Command::Speichern));
    return lastSave_.value_or(SaveResult::Failed);
  }
  void New() { EXPECT_TRUE(root_->RunCommand(Command::Hinzufügen)); }
  void Delete() { EXPECT_TRUE(root_->RunCommand(Command::Löschen)); }

  std::vector<std::wstring> RowTexts(int row) {
    std::vector<std::wstring> texts;
    for (int column = 0; column < 4; ++column) texts.push_back(List().Text(row, column));
    return texts;
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

  // App Paths itself made volatile: the registry then refuses to create lasting keys below it.
  static void MakeAppPathsVolatile() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey, 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(h);
  }

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

  SaveOptions saveOptions_;
  std::optional<SaveResult> lastSave_;
};
