#include "ui/CommandStates.h"

// Adding, the clean-up and the comparisons need no row; running takes the panel's texts and
// changes nothing, so a read-only row may run; only a registration has a key to export or to
// open in the registry editor; the Explorer is shown any row's program.
bool CommandEnabled(Command command, const SelectedRow& row) {
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
  }
  return false;
}
