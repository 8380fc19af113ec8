#pragma once
// What the editor panel holds, as far as the commands need to know: where its texts came from,
// the texts themselves, and what the user is doing there. No control is reachable from here.
#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/AppPathEntry.h"
#include "platform/RegistryData.h"

// View: the file name box shows a name as stored and is read-only. NewEntry: the user types the
// name of an entry still to be saved. Rename: the name the rename dialog accepted stands in the
// box until the save has run. The file name box is editable exactly outside View.
enum class PanelMode { View, NewEntry, Rename };

// Where the panel's texts came from: the entry (0 for a new entry or none) and the two texts as
// they were loaded, so a save can tell what the user changed.
struct PanelSource {
  EntryId entry = 0;
  std::wstring keyName;  // the entry's key as stored; empty for a new entry
  Scope scope = Scope::Machine;  // where a save writes: the entry's key, or a new entry's
  std::wstring installation;
  std::wstring directory;
  // The two values as the key held them when they were loaded: a save compares them with what
  // the key holds then, to notice another program's change.
  std::optional<Registry::RawValue> storedInstallation;
  std::optional<Registry::RawValue> storedDirectory;
};

// The three boxes as they read now.
struct PanelTexts {
  std::wstring fileName;
  std::wstring installation;
  std::wstring directory;
};

// A panel box's text with the type it has for Windows: the stored value while the box shows
// what was loaded, else the typed text with the type a save gives it.
struct TypedText {
  std::wstring text;
  uint32_t type;
};
