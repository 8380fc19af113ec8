#ifndef VELMARIN_UI_UMBENENNEN_RESOURCE_H
#define VELMARIN_UI_UMBENENNEN_RESOURCE_H
// Ids of the rename dialog's resource (resources/Umbenennen.rc). Plain macros, because the
// resource compiler reads this file too; the code names them in ui/Umbenennen.h.

#define IDD_UMBENENNEN 100
#define IDC_UMBENENNEN_RNAMEN 1001
#define IDC_UMBENENNEN_TNAME 1002
#define IDC_UMBENENNEN_BHILFE 1003
#define IDC_UMBENENNEN_PBILDDATEI 1004
#define IDC_UMBENENNEN_LABEL2 1005

#endif
