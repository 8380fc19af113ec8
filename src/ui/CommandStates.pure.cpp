#include "ui/CommandStates.h"

// Adding, the clean-up and the comparisons need no row; running takes the panel's texts and
// changes nothing, so a read-only row may run; only a registration has a key to export or to
// open in the registry editor; the Explorer is shown any row's program. An undo needs no row,
// but a change to take back, and waits for a running command to finish.
bool CommandEnabled(Command command, const SelectedRow& row, const UndoState& undo) {
  switch (command) {
    case Command::Hinzufügen:
    case Command::Bereinigen:
    case Command::Vergleichen:
    case Command::SicherungVergleichen:
      return true;
    case Command::Ausführen:
    case Command::ImExplorer:
      return row.present;
    case Command::Exportieren:
    case Command::ImRegistrierungsEditor:
      return row.present && row.registered;
    case Command::Bearbeiten:
    case Command::Speichern:
      return row.present && row.mayChange;
    case Command::Umbenennen:
    case Command::Löschen:
      return row.present && row.mayChange && !row.protectedName;
    case Command::Rückgängig:
      return undo.changeToTakeBack && !undo.commandRunning;
  }
  return false;
}
