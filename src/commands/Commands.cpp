#include "commands/Commands.h"

#include "commands/CompareEntries.h"

// A draft row and the panel ready for its name; nothing is written until the panel is saved.
// The panel's typed texts are saved or dropped first, as the user answers; Abbrechen stays.
void NewEntry(CommandHost& host) {
  if (host.LeavePanel()) host.StartNewEntry();
}

void InstallCommands(CommandHost& host) {
  host.SetCommandHandler([&host](Command command) {
    switch (command) {
      case Command::Speichern:
        SaveEntry(host);
        break;
      case Command::Hinzufügen:
        NewEntry(host);
        break;
      case Command::Löschen:
        DeleteEntry(host);
        break;
      case Command::Umbenennen:
        RenameEntry(host);
        break;
      case Command::Ausführen:
        RunApplication(host);
        break;
      case Command::Exportieren:
        ExportEntry(host);
        break;
      case Command::Bereinigen:
        CleanUpEntries(host);
        break;
      case Command::ImRegistrierungsEditor:
        OpenInRegistryEditor(host);
        break;
      case Command::ImExplorer:
        ShowInExplorer(host);
        break;
      case Command::Vergleichen:
        CompareEntries(host);
        break;
      case Command::SicherungVergleichen:
        CompareWithBackups(host);
        break;
      case Command::Rückgängig:
        UndoChange(host);
        break;
      case Command::Bearbeiten:
        break;  // the window edits by itself
    }
  });
}
