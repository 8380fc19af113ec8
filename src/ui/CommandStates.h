#pragma once
// Which of the menu's commands can work on the selected row ("Rückgängig": on the journal): one
// decision for the greyed menu items and for the keyboard's shortcuts, so a key never starts
// what the menu withholds.
// Platform-free.

// What the menu and the OK button ask for. Speichern is the click of BHinzufügen.
enum class Command {
  Hinzufügen, Bearbeiten, Umbenennen, Exportieren, Ausführen, Löschen, Speichern, Bereinigen,
  ImRegistrierungsEditor, ImExplorer,
  Vergleichen,           // "Vergleichen mit ...": a file the user picks
  SicherungVergleichen,  // the start-up's previous backups, asked for by its question
  Rückgängig
};

// The selected row as the commands see it.
struct SelectedRow {
  bool present = false;        // a row is selected
  bool registered = false;     // it shows a registration (false: a new entry not saved yet)
  bool protectedName = false;  // WINNT32.EXE, INSTALL.EXE or SETUP.EXE: installers look them up
  bool mayChange = false;      // its key may be written (a new entry: where it will be saved)
};

// What "Rückgängig" depends on instead of the row.
struct UndoState {
  bool changeToTakeBack = false;  // the journal holds a change not taken back yet
  bool commandRunning = false;    // a command is under way: its change is not journaled yet
};

bool CommandEnabled(Command command, const SelectedRow& row, const UndoState& undo = {});
