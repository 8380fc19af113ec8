#pragma once
// One App Paths registration as the program holds it: the key name and the two values exactly
// as stored, the texts the window shows for them, and the status. Platform-free.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/RegistryData.h"

// SettingsOnly: the key names no program but carries settings for Windows (install.exe and
// setup.exe on every machine); nothing is wrong with it. Hidden: a machine-wide registration
// that Windows never reads, because the user has one of the same name.
// Checking: the existence test has not answered yet (it runs off the window's thread).
// Unreachable: the existence test got no answer (a share that does not answer, a drive letter
// this session has no root for, a drive not ready, no access): never counted as broken.
enum class EntryStatus { Fine, FileNotFound, Broken, SettingsOnly, Hidden, Checking, Unreachable };

// Which App Paths key holds a registration: the machine's (HKEY_LOCAL_MACHINE, every user) or
// the user's own (HKEY_CURRENT_USER), which Windows reads first.
enum class Scope { Machine, User };

// Stable for the whole run; list rows carry it. 0 is no entry.
using EntryId = uint64_t;

// An entry's four texts in their case fold (FoldCase), for the search that ignores letter case:
// made once when the entry is read (EntryFromValues), not at every search. One buffer holds them all;
// the file name's fold only where it differs from the key name's.
class FoldedTexts {
 public:
  FoldedTexts() = default;
  FoldedTexts(std::wstring_view fileName, std::wstring_view keyName,
              std::wstring_view installation, std::wstring_view directory);
  // In the columns' order: 0 file name, 1 key name, 2 installation, 3 directory.
  std::wstring_view Text(size_t column) const;
  // The file name folds as the key name does (one text to search instead of two).
  bool FileNameFoldsAsKeyName() const { return ends_[3] == ends_[2]; }

 private:
  std::wstring chars_;                // key name, installation, directory, [file name]
  std::array<uint32_t, 4> ends_{};    // where each of them ends in chars_
};

struct AppPathEntry {
  EntryId Id = 0;
  ::Scope Scope = ::Scope::Machine;  // qualified: the member reuses the type's name
  std::wstring KeyName;       // the sub-key's name exactly as the registry enumerates it
  // As shown: text, folder tokens replaced, control characters as their pictures.
  std::wstring Installation;  // the default value
  std::wstring Directory;     // the value "Path"
  std::wstring FileName;      // KeyName as the list shows it (control characters as pictures)
  EntryStatus Status = EntryStatus::Broken;
  // The two values as stored, type and bytes; nothing when the key has no such value.
  std::optional<Registry::RawValue> StoredInstallation;
  std::optional<Registry::RawValue> StoredDirectory;
  bool HasSettings = false;  // the key holds values besides the default value and "Path"
  bool Draft = false;        // a new entry still to be typed; no key stands behind it
  FoldedTexts Folded;        // set with the texts above
};

// The default value's text when it is a text that names something; nothing otherwise.
std::optional<std::wstring> ProgramText(const AppPathEntry& entry);

// WINWORD.EXE -> Winword.exe: first character upper case, the rest lower case.
std::wstring FileNameFromKeyName(std::wstring_view keyName);

// The image key a status is shown with: "Ready", "Achtung", "Fehler", "Info", "Hilfe" or
// "Unerreichbar"; empty (no picture) while it is being checked.
const wchar_t* ImageKeyOf(EntryStatus status);

// The registry editor's full name of the App Paths key below the root of that name, or with
// `keyName` of that registration's key:
// <rootName>\Software\Microsoft\Windows\CurrentVersion\App Paths\<keyName>.
std::wstring AppPathsKeyName(std::wstring_view rootName, std::wstring_view keyName = {});

// Counted in the broken-entry label.
bool IsBroken(EntryStatus status);
