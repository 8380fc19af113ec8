#pragma once
// One App Paths registration and the texts derived from it. Platform-free.
#include <string>
#include <string_view>

enum class EntryStatus { Fine, FileNotFound, Broken };

struct AppPathEntry {
  std::wstring KeyName;       // the sub-key's name as the registry enumerates it
  std::wstring Installation;  // default value, folder tokens replaced
  std::wstring Directory;     // value "Path", folder tokens replaced
  std::wstring FileName;      // KeyName as the list shows it
  EntryStatus Status = EntryStatus::Broken;
};

// WINWORD.EXE -> Winword.exe: first character upper case, the rest lower case.
std::wstring FileNameFromKeyName(std::wstring_view keyName);

// The image key a status is shown with: "Ready", "Achtung" or "Fehler".
const wchar_t* ImageKeyOf(EntryStatus status);
