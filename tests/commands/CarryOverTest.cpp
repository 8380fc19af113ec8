// The rename's save on the real window: the panel's OK under another file name carries the
// registration over to the new key, the panel's two values winning.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelCommandsFixture.h"

namespace {

using Names = std::vector<std::wstring>;

class CarryOverTest : public PanelCommandsFixture {
 protected:
  // The row loaded into the panel with another file name typed over its own, as the rename
  // leaves the panel for its save.
  void RetypeFileName(const std::wstring& row, const std::wstring& name) {
    SelectRow(row);
    root_->StartRename();
    root_->SetFileName(name);
  }
};

TEST_F(CarryOverTest, CarriedOverKeyBringsItsValuesAndSubKeysAndThePanelWinsItsTwoValues) {
  const std::wstring app = MakeFile(L"app.exe");
  PutRegistration(L"OLD.EXE", L"C:\\Old\\old.exe", L"C:\\Old;");
  PutRawValue(L"OLD.EXE", L"Extra", REG_SZ, L"x", 4);
  PutRawValue(L"OLD.EXE\\Sub", L"Inner", REG_SZ, L"y", 4);
  OpenWindow();
  RetypeFileName(L"Old.exe", L"New.exe");
  Text2().SetText(app);
  Text3().SetText(L"C:\\Neu;");

  EXPECT_EQ(Save({L"Old.exe"}), SaveResult::Saved);

  EXPECT_EQ(ClassOf(L"NEW.EXE"), L"1");
  EXPECT_EQ(ReadText(L"NEW.EXE", L""), app);
  EXPECT_EQ(ReadText(L"NEW.EXE", L"Path"), L"C:\\Neu;");
  EXPECT_EQ(ReadText(L"NEW.EXE", L"Extra"), L"x");
  EXPECT_EQ(ReadText(L"NEW.EXE\\Sub", L"Inner"), L"y");
  EXPECT_EQ(ReadText(L"OLD.EXE", L""), L"C:\\Old\\old.exe");  // deleting it is the rename's job
}

TEST_F(CarryOverTest, CarryingOverFromTheSameKeyInAnotherCaseChangesOnlyThePanelsValues) {
  const std::wstring app = MakeFile(L"app.exe");
  PutRegistration(L"APP.EXE", L"C:\\Old\\app.exe");
  PutRawValue(L"APP.EXE", L"Extra", REG_SZ, L"x", 4);
  OpenWindow();
  RetypeFileName(L"App.exe", L"APP.exe");
  Text2().SetText(app);
  prompts_.messageAnswers = {IDYES};

  EXPECT_EQ(Save({L"App.exe"}), SaveResult::Saved);
  EXPECT_EQ(ReadText(L"APP.EXE", L""), app);
  EXPECT_EQ(ReadText(L"APP.EXE", L"Extra"), L"x");
  EXPECT_EQ(SubKeys(KeyPath(L"")), Names{L"APP.EXE"});
}

TEST_F(CarryOverTest, FailedCarryOverRemovesTheKeyThisSaveCreated) {
  const std::wstring app = MakeFile(L"app.exe");
  PutRegistration(L"OLD.EXE", L"C:\\Old\\old.exe");
  PutRawValue(L"OLD.EXE\\Locked", L"Inner", REG_SZ, L"y", 4);
  Deny(L"OLD.EXE\\Locked", KEY_QUERY_VALUE);
  OpenWindow();
  RetypeFileName(L"Old.exe", L"New.exe");
  Text2().SetText(app);

  EXPECT_EQ(Save({L"Old.exe"}), SaveResult::Failed);

  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_FALSE(RegistrationExists(L"NEW.EXE"));
  EXPECT_EQ(SelectedText(), L"Old.exe");
  EXPECT_EQ(Text1().Text(), L"New.exe");
  EXPECT_FALSE(Text1().Locked());
}

}  // namespace
