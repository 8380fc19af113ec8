// Ids of the dialogs in the program's resources (resources/dialogs.rc) and of their controls.
// Read by the resource compiler too: plain defines only.
#pragma once

#define IDD_UMBENENNEN 100
#define IDC_UMBENENNEN_RNAMEN 1001
#define IDC_UMBENENNEN_TNAME 1002
#define IDC_UMBENENNEN_BHILFE 1003
#define IDC_UMBENENNEN_PBILDDATEI 1004
#define IDC_UMBENENNEN_LABEL2 1005

#define IDD_FIND 200
#define IDC_FIND_LABEL 201
#define IDC_FIND_PATTERN 202
#define IDC_FIND_WHERE 203
#define IDC_FIND_NAME 204
#define IDC_FIND_ALL 205
#define IDC_FIND_CASE 206
#define IDC_FIND_HINT 207

#define IDD_CLEANUP 210
#define IDC_CLEANUP_TEXT 211
#define IDC_CLEANUP_LIST 212

#define IDD_COMPARISON 220
#define IDC_COMPARE_TEXT 221
#define IDC_COMPARE_FILE 222
#define IDC_COMPARE_LIST 223
