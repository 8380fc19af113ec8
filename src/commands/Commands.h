#pragma once
// The operations on one registration, started from the context menu or the OK button. Each
// reaches the window only through CommandHost.
#include <string>

#include "ui/CommandHost.h"

class RecordedChange;

// What a save did.
enum class SaveResult {
  Saved,     // the registry holds the entry; row and cache line updated
  Declined,  // the user answered No to overwriting an existing registration
  Refused,   // the file name is no valid key name (the user was told)
  Failed,    // the registry refused a write (the user was told); row and cache unchanged
};

struct SaveOptions {
  // A registration whose values and sub-keys the saved key receives before the panel's two
  // values are written (renaming carries everything over). Empty: none.
  std::wstring carryOverFrom;
  // The change the saved key belongs to (a rename's, which also removes the old key); none:
  // the save records its own.
  RecordedChange* change = nullptr;
};

SaveResult SaveEntry(CommandHost& host, const SaveOptions& options = {});  // BHinzufügen
void NewEntry(CommandHost& host);                                          // mnuHinzufügen
void DeleteEntry(CommandHost& host);                                       // mnuLöschen
void RenameEntry(CommandHost& host);                                       // mnuUmbenennen
void RunApplication(CommandHost& host);                                    // mnuAusführen
void ExportEntry(CommandHost& host);                                       // mnuExportieren
void CleanUpEntries(CommandHost& host);                                    // mnuBereinigen
void OpenInRegistryEditor(CommandHost& host);  // "Im Registrierungs-Editor öffnen"
void ShowInExplorer(CommandHost& host);        // "Im Explorer anzeigen"
void UndoChange(CommandHost& host);                                        // mnuRückgängig

// Connects the window's commands to the operations above.
void InstallCommands(CommandHost& host);
