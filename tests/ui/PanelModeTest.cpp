// The editor panel's mode as the window's events and the commands leave it, and Text1's
// read-only flag, which shows it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "ui/PanelWindowFixture.h"

namespace {

using PanelModeTest = PanelWindowFixture;

// What the user does in the panel, as each event leaves it; Text1's read-only flag shows it.
TEST_F(PanelModeTest, EachEventLeavesThePanelInItsMode) {
  PutRegistration(L"WINWORD.EXE", L"C:\\Office\\winword.exe", L"C:\\Office;");
  PutRegistration(L"NOTEPAD.EXE", L"C:\\Windows\\notepad.exe", L"C:\\Windows;");
  OpenWindow();
  struct Step {
    const char* event;
    std::function<void()> happen;
    PanelMode mode;
  };
  const Step steps[] = {
      {"window created", [] {}, PanelMode::View},
      {"Hinzufügen", [&] { W().StartNewEntry(); }, PanelMode::NewEntry},
      {"Escape abandons the new entry", [&] { SendCommand(IDCANCEL, 0); }, PanelMode::View},
      {"Hinzufügen again", [&] { W().StartNewEntry(); }, PanelMode::NewEntry},
      {"a row loaded", [&] { SelectRow(L"Winword.exe"); }, PanelMode::View},
      {"rename started", [&] { W().StartRename(); }, PanelMode::Rename},
      {"rename ended", [&] { W().EndTyping(); }, PanelMode::View},
      {"Bearbeiten", [&] { SendCommand(Root::kMnuBearbeiten, 0); }, PanelMode::View},
      {"panel emptied during a new entry",
       [&] {
         W().StartNewEntry();
         W().ClearPanel();
       },
       PanelMode::View},
  };
  for (const Step& step : steps) {
    step.happen();
    EXPECT_EQ(W().Mode(), step.mode) << step.event;
    EXPECT_EQ(Text1().Locked(), step.mode == PanelMode::View) << step.event;
  }
}

}  // namespace
