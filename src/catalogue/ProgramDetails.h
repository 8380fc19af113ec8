#pragma once
// What a registration's program is and whether the registration invites a hijack: its version
// resource, its signature, and who may change its file and folders. The rules are
// platform-free (ProgramDetails.pure.cpp); ComputeProgramDetails (ProgramDetails.cpp) reads the
// file system and may run on any thread, never on the window's.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/AppPathEntry.h"
#include "platform/FileSignature.h"
#include "platform/RegistryData.h"

class Catalogue;

// HidesMachine: a user registration hides the machine's registration of the same name (Windows
// reads the user's first). HidesWindowsProgram: the same, where the hidden or the named program
// lies in the Windows folder or is signed by Microsoft. UserWritable: a machine registration
// whose program, the program's folder or a folder of its Path value may be changed by users
// who are not administrators, who could so replace what an administrator starts by name.
enum class HijackWarning { HidesMachine, HidesWindowsProgram, UserWritable };

// The names scripts see, plain ASCII: "hides-machine", "hides-windows-program", "user-writable".
const char* WarningCode(HijackWarning warning);

// Empty texts: not known (no version resource; the program is missing or unreachable).
struct ProgramDetails {
  std::wstring Company;
  std::wstring Description;
  std::wstring Version;
  SignatureKind Signature = SignatureKind::Unknown;
  std::wstring Signer;
  bool MicrosoftRoot = false;  // a valid signature chaining to one of Microsoft's roots
  std::vector<HijackWarning> Warnings;

  bool operator==(const ProgramDetails&) const = default;
  auto operator<=>(const ProgramDetails&) const = default;
};

// What the worker needs of a registration, copied on the window's thread.
struct DetailsRequest {
  ::Scope Scope = ::Scope::Machine;
  std::optional<Registry::RawValue> Installation;        // the default value as stored
  std::optional<Registry::RawValue> Directory;           // "Path" as stored
  bool HidesMachine = false;                             // a user registration with a machine twin
  std::optional<Registry::RawValue> HiddenInstallation;  // that twin's default value
};

DetailsRequest DetailsRequestOf(const Catalogue& catalogue, const AppPathEntry& entry);

// What the warnings depend on, as ComputeProgramDetails finds it.
struct HijackFacts {
  ::Scope Scope = ::Scope::Machine;
  bool HidesMachine = false;
  bool WindowsProgram = false;  // the hidden or the named program: Windows folder or Microsoft
  bool UserWritable = false;    // program, its folder or a Path folder changeable by users
};

// A user registration warns that it hides (the stronger warning when Windows' program is at
// stake); a machine registration warns that users may change what it starts.
std::vector<HijackWarning> HijackWarnings(const HijackFacts& facts);

// The folders of a Path value: split at semicolons, blanks and enclosing quotes trimmed, empty
// parts left out.
std::vector<std::wstring> PathFolders(std::wstring_view path);

// True when `path` lies below `folder` (letter case ignored; "C:\Windows2" is not below
// "C:\Windows").
bool LiesInFolder(std::wstring_view path, std::wstring_view folder);

// Everything the details of `request` need from the file system.
ProgramDetails ComputeProgramDetails(const DetailsRequest& request);
