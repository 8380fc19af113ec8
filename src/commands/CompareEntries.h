#pragma once
// The comparison of the registrations with a registration file, and the restore from it.
#include "ui/CommandHost.h"

// "Vergleichen mit ...": a registration file the user picks.
void CompareEntries(CommandHost& host);
// The previous start-up backups, when the start-up's question is asked to show what changed.
void CompareWithBackups(CommandHost& host);
