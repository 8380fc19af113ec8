// Restoring registrations as a registration file holds them, against Wine's registry: what is
// refused before anything is written, and a write that fails after another succeeded.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/Restore.h"
#include "platform/Registry.h"
#include "support/AppPathsFixture.h"

using Registry::KeyTree;

namespace {

namespace fs = std::filesystem;

const AppPathsKeys kFile = {
    KeyTree{L"App Paths",
            {},
            {{L"New.exe",
              {Registry::TextValue(L"", L"C:\\new.exe")},
              {{L"Sub", {{L"b", REG_BINARY, {1, 2}}}, {}}}},
             {L"LOCKED.EXE", {Registry::TextValue(L"", L"C:\\before.exe")}, {}},
             {L"SETUP.EXE", {Registry::TextValue(L"", L"C:\\setup.exe")}, {}}}},
    KeyTree{L"App Paths", {}, {}}};

class RestoreTest : public AppPathsFixture {
 protected:
  void SetUp() override {
    AppPathsFixture::SetUp();
    folder_ =
        fs::temp_directory_path() / (L"velmarin-restore-" + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    PutRegistration(L"LOCKED.EXE", L"C:\\locked.exe", L"C:\\");
  }
  void TearDown() override {
    AppPathsFixture::TearDown();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  static std::optional<KeyTree> Machine() {
    return Registry::ReadKeyTree(HKEY_LOCAL_MACHINE, Registry::kAppPathsKey);
  }

  fs::path folder_;
};

}  // namespace

TEST_F(RestoreTest, RefusalsComeBeforeTheFirstWriteAndChangeNothing) {
  std::ofstream(folder_ / L"earlier.reg") << "earlier undo";
  const auto before = Machine();
  const struct {
    RestoreKey key;
    const wchar_t* undoFile;
    RestoreStep step;
  } cases[] = {
      {{Scope::Machine, L"setup.exe"}, L"undo.reg", RestoreStep::ProtectedName},
      {{Scope::Machine, L"A\\B"}, L"undo.reg", RestoreStep::InvalidName},
      {{Scope::Machine, L"MISSING.EXE"}, L"undo.reg", RestoreStep::NotInFile},
      {{Scope::User, L"LOCKED.EXE"}, L"undo.reg", RestoreStep::NotInFile},
      {{Scope::Machine, L"NEW.EXE"}, L"earlier.reg", RestoreStep::UndoFile},
      {{Scope::Machine, L"NEW.EXE"}, nullptr, RestoreStep::ReadOnlyScope},  // denied from here
  };
  for (const auto& c : cases) {
    if (c.undoFile == nullptr) Deny(L"", KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
    const RestoreResult result =
        Restore(kFile, {{Scope::Machine, L"locked.exe"}, c.key},
                (folder_ / (c.undoFile ? c.undoFile : L"undo.reg")).wstring());
    EXPECT_EQ(result.failedStep, c.step) << static_cast<int>(c.step);
    EXPECT_NE(result.error, 0u);
    EXPECT_TRUE(result.restored.empty());
    EXPECT_EQ(Machine(), before);
    EXPECT_FALSE(fs::exists(folder_ / L"undo.reg"));
  }
}

// The new key was written and the changed one removed to be replaced, but the registry takes no
// value name that long: both keys hold again what they held, and the undo file stays.
TEST_F(RestoreTest, AWriteThatFailsPutsBackWhatTheKeysWrittenUntilThenHeld) {
  AppPathsKeys file = kFile;
  file.machine->subKeys[1].values.push_back(Registry::TextValue(std::wstring(16384, L'v'), L""));
  const auto before = Machine();
  const std::wstring undo = (folder_ / L"undo.reg").wstring();
  const RestoreResult result =
      Restore(file, {{Scope::Machine, L"new.exe"}, {Scope::Machine, L"Locked.exe"}}, undo);
  EXPECT_EQ(result.failedStep, RestoreStep::Write);
  EXPECT_EQ(result.failedKey.keyName, L"LOCKED.EXE");
  EXPECT_NE(result.error, 0u);
  EXPECT_TRUE(result.restored.empty());
  EXPECT_TRUE(result.notPutBack.empty());
  EXPECT_EQ(Machine(), before);
  EXPECT_TRUE(fs::exists(undo));
}
