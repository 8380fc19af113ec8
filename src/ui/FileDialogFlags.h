#pragma once
// The flags of the program's two file dialogs, by name.
#include <windows.h>
#include <commdlg.h>

// "Durchsuchen": an existing program. OFN_OVERWRITEPROMPT (a save dialog's question) and
// OFN_LONGNAMES (for the old-style dialog only) change nothing here; they are kept so the
// dialog is asked for exactly what it always was.
inline constexpr DWORD kBrowseDialogFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                                            OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                                            OFN_FILEMUSTEXIST | OFN_LONGNAMES;

// "Speichern unter ...": the export's registration file, in an existing folder; replacing a file
// is asked first.
inline constexpr DWORD kExportDialogFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                                            OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_LONGNAMES;

// "Vergleichen mit ...": an existing registration file.
inline constexpr DWORD kCompareDialogFlags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                                             OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
