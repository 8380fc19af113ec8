#include <gtest/gtest.h>

#include "ui/CommandStates.h"

// The menu's enabled items for each kind of selected row, one row of the table per row kind.
TEST(CommandStates, EachCommandIsOfferedOnlyWhereItCanWork) {
  struct Case {
    const char* row;
    SelectedRow selected;
    // Hinzufügen, Bearbeiten, Umbenennen, Exportieren, Ausführen, Löschen, Bereinigen
    bool enabled[7];
  };
  const Case cases[] = {
      {"no row", {false, false, false, false}, {true, false, false, false, false, false, true}},
      {"registration", {true, true, false, true}, {true, true, true, true, true, true, true}},
      {"protected", {true, true, true, true}, {true, true, false, true, true, false, true}},
      {"read-only", {true, true, false, false}, {true, false, false, true, true, false, true}},
      {"read-only protected", {true, true, true, false}, {true, false, false, true, true, false, true}},
      {"new entry", {true, false, false, true}, {true, true, true, false, true, true, true}},
  };
  const Command commands[] = {Command::Hinzufügen, Command::Bearbeiten, Command::Umbenennen,
                              Command::Exportieren, Command::Ausführen,  Command::Löschen,
                              Command::Bereinigen};
  for (const Case& c : cases)
    for (int i = 0; i < 7; ++i)
      EXPECT_EQ(CommandEnabled(commands[i], c.selected), c.enabled[i]) << c.row << ", command " << i;
  // The OK button's save follows the row's key.
  EXPECT_TRUE(CommandEnabled(Command::Speichern, {true, true, true, true}));
  EXPECT_FALSE(CommandEnabled(Command::Speichern, {true, true, false, false}));
}
