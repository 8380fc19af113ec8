#include <gtest/gtest.h>

#include <string>

#include "ui/CommandStates.h"

// Per kind of selected row, in the order of Command: Hinzufügen, Bearbeiten, Umbenennen,
// Exportieren, Ausführen, Löschen, the OK button's Speichern, Bereinigen.
TEST(CommandStates, EachCommandIsOfferedOnlyWhereItCanWork) {
  const std::pair<SelectedRow, std::string> cases[] = {
      {{false, false, false, false}, "+------+"},  // no row
      {{true, true, false, true}, "++++++++"},     // a registration
      {{true, true, true, true}, "++-++-++"},      // a protected name
      {{true, true, false, false}, "+--++--+"},    // read-only
      {{true, false, false, true}, "+++-++++"},    // a new entry
  };
  for (const auto& [row, expected] : cases) {
    std::string enabled;
    for (int command = 0; command <= static_cast<int>(Command::Bereinigen); ++command)
      enabled += CommandEnabled(static_cast<Command>(command), row) ? '+' : '-';
    EXPECT_EQ(enabled, expected);
  }
}

// "Rückgängig" follows the journal, whatever row is selected (none, a read-only one).
TEST(CommandStates, RückgängigNeedsAChangeToTakeBackAndNoRunningCommand) {
  const std::pair<UndoState, bool> cases[] = {
      {{false, false}, false},  // nothing journaled
      {{true, false}, true},
      {{true, true}, false},    // a command is under way
      {{false, true}, false},
  };
  for (const SelectedRow row : {SelectedRow{}, SelectedRow{true, true, false, false}})
    for (const auto& [undo, expected] : cases)
      EXPECT_EQ(CommandEnabled(Command::Rückgängig, row, undo), expected);
}
