#include "commands/Commands.h"

#include "ui/Root.h"

void InstallCommands(Root& root) {
  root.SetCommandHandler([&root](Command command) {
    switch (command) {
      case Command::Speichern:
        SaveEntry(root);
        break;
      case Command::Hinzufügen:
        NewEntry(root);
        break;
      case Command::Löschen:
        DeleteEntry(root);
        break;
      case Command::Umbenennen:
        RenameEntry(root);
        break;
      case Command::Ausführen:
        RunApplication(root);
        break;
      case Command::Exportieren:
        ExportEntry(root);
        break;
      case Command::Bereinigen:
        CleanUpEntries(root);
        break;
      case Command::Bearbeiten:
        break;  // the window edits by itself
    }
  });
}
