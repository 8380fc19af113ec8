// "Im Registrierungs-Editor öffnen" and "Im Explorer anzeigen": the selected row's key in the
// registry editor, its program in the Explorer. Both programs are the Windows folder's own,
// started by their full path with a command line that names them again.
#include <optional>
#include <string>

#include "catalogue/Resolution.h"
#include "catalogue/Scan.h"
#include "commands/Commands.h"
#include "commands/NulNameGuard.h"
#include "platform/Others.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"
#include "texts/DetailsTexts.h"

namespace {

// The registry editor opens at the key it shows last, which it keeps here for each user.
constexpr wchar_t kRegeditKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
constexpr wchar_t kLastKeyValue[] = L"LastKey";

Registry::RawValue TextValue(const wchar_t* name, const std::wstring& text) {
  Registry::RawValue value{name, Registry::kTypeString, {}};
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
  value.data.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
  return value;
}

bool Start(CommandHost& host, const std::wstring& program, const std::wstring& arguments,
           const wchar_t* failure) {
  DWORD error = ERROR_SUCCESS;
  const std::wstring commandLine = L"\"" + program + L"\"" + arguments;
  if (StartProgram(program, commandLine, L"", SW_SHOWNORMAL, &error)) return true;
  host.Tell(std::wstring(failure) + L"\n" + program + L"\n" + SystemMessage(error),
            MB_OK | MB_ICONSTOP);
  return false;
}

}  // namespace

// The editor shows the key under "Computer\" and the root's full name. A name holding a NUL
// could not be written as its last key: the editor would open a look-alike.
void OpenInRegistryEditor(CommandHost& host) {
  const AppPathEntry* entry = host.SelectedEntry();
  if (entry == nullptr || RefusedForNul(host, entry->KeyName)) return;
  const std::wstring lastKey = L"Computer\\" + AppPathsKeyName(entry->Scope, entry->KeyName);
  LONG error = ERROR_SUCCESS;
  Registry::CreateKey(HKEY_CURRENT_USER, kRegeditKey, L"", &error);
  if (error == ERROR_SUCCESS)
    Registry::SetRawValue(HKEY_CURRENT_USER, kRegeditKey, TextValue(kLastKeyValue, lastKey), &error);
  if (error != ERROR_SUCCESS) {
    host.Tell(std::wstring(Texts::kRegistryEditorNotStarted) + L"\n" +
                  SystemMessage(static_cast<DWORD>(error)),
              MB_OK | MB_ICONSTOP);
    return;
  }
  Start(host, RegistryEditorPath(), L"", Texts::kRegistryEditorNotStarted);
}

// The program as "Ausführen" finds it (a bare name on the search path), which may wait on the
// file system: off the window's thread.
void ShowInExplorer(CommandHost& host) {
  const AppPathEntry* entry = host.SelectedEntry();
  if (entry == nullptr) return;
  const AppPathEntry copy = *entry;
  std::optional<ProgramReading> reading;
  host.RunOffTheWindowThread([&] {
    const std::optional<std::wstring> text =
        copy.StoredInstallation ? Registry::TextOfRaw(*copy.StoredInstallation) : std::nullopt;
    if (text) reading = ResolveProgram(*text, copy.StoredInstallation->type);
  });
  if (!reading || reading->status != EntryStatus::Fine) {
    host.Tell(Texts::kNoProgramToShow, MB_OK | MB_ICONINFORMATION);
    return;
  }
  Start(host, WindowsFolder() + L"\\explorer.exe", L" /select,\"" + reading->program + L"\"",
        Texts::kExplorerNotStarted);
}
