#include "catalogue/ProgramDetails.h"

#include <chrono>
#include <mutex>
#include <unordered_map>

#include "catalogue/Resolution.h"
#include "platform/Dateiexistenz.h"
#include "platform/FileAccess.h"
#include "platform/FileDirPath.h"
#include "platform/SpecialFolders.h"
#include "platform/VersionDetails.h"

namespace {
// The program file a stored default value starts (a bare name found on the search path);
// empty when the value names none.
std::wstring ResolvedProgram(const std::optional<Registry::RawValue>& installation) {
  if (!installation) return L"";
  const std::optional<std::wstring> text = Registry::TextOfRaw(*installation);
  return text ? ResolveProgram(*text, installation->type).program : std::wstring();
}

// A bare or relative name is never looked up from the current folder.
bool Exists(const std::wstring& program) {
  return IsFullPath(program) && FileExists(program).answer == Existence::Found;
}

void ReadFileDetails(const std::wstring& program, ProgramDetails& details) {
  const VersionDetails version = ReadVersionDetails(program).value_or(VersionDetails{});
  details.Company = version.Company;
  details.Description = version.Description;
  details.Version = version.Version;
  const FileSignature signature = CheckFileSignature(program);
  details.Signature = signature.Kind;
  details.Signer = signature.Signer;
  details.MicrosoftRoot = signature.Kind == SignatureKind::Signed && signature.MicrosoftRoot;
}

// What a program file says of itself, kept while the file stays the same (size and last write
// time) and for a minute at most, so a signature's trust is asked again now and then: a machine
// whose registrations name one program a thousand times reads it once. Shared by the workers.
class FileDetailsCache {
 public:
  std::optional<ProgramDetails> Find(const std::wstring& program, const FileStamp& stamp) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = files_.find(program);
    if (found == files_.end() || !(found->second.stamp == stamp) ||
        Clock::now() - found->second.readAt > kKeptFor)
      return std::nullopt;
    return found->second.details;
  }
  void Keep(const std::wstring& program, const FileStamp& stamp, const ProgramDetails& details) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (files_.size() >= kMostFiles) files_.clear();
    files_[program] = {stamp, Clock::now(), details};
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr auto kKeptFor = std::chrono::minutes(1);
  static constexpr size_t kMostFiles = 4096;
  struct Kept {
    FileStamp stamp;
    Clock::time_point readAt;
    ProgramDetails details;
  };
  std::mutex mutex_;
  std::unordered_map<std::wstring, Kept> files_;
};

void AddFileDetails(const std::wstring& program, ProgramDetails& details) {
  static FileDetailsCache cache;
  const std::optional<FileStamp> stamp = FileStampOf(program);
  if (!stamp) return ReadFileDetails(program, details);
  if (const std::optional<ProgramDetails> kept = cache.Find(program, *stamp)) {
    details = *kept;
    return;
  }
  ReadFileDetails(program, details);
  cache.Keep(program, *stamp, details);
}

bool InWindowsFolder(const std::wstring& program) {
  return LiesInFolder(program, WindowsFolder());
}

// The machine's program that a user registration hides: the signature is checked only when
// the folder does not already tell.
bool HiddenIsWindowsProgram(const std::wstring& hidden) {
  if (InWindowsFolder(hidden)) return true;
  if (!Exists(hidden)) return false;
  const FileSignature signature = CheckFileSignature(hidden);
  return signature.Kind == SignatureKind::Signed && signature.MicrosoftRoot;
}

// A folder path as the security functions take it: no final backslash except after a drive.
std::wstring FolderOf(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

// Only a definite answer warns: a DACL that cannot be read says nothing.
bool UsersMayChange(const std::wstring& path, bool folder) {
  return IsFullPath(path) && OrdinaryUsersMayChangePath(path, folder).value_or(false);
}

bool UsersMayChangeAPathFolder(const std::optional<Registry::RawValue>& directory) {
  const std::optional<std::wstring> path =
      directory ? Registry::TextOfRaw(*directory) : std::nullopt;
  if (!path) return false;
  for (const std::wstring& folder : PathFolders(TextAsWindowsReadsIt(*path, directory->type)))
    if (UsersMayChange(FolderOf(folder), true)) return true;
  return false;
}

// The program itself, its folder (a missing program can be put there), the Path folders.
bool UsersMayChangeWhatRuns(const std::wstring& program, const DetailsRequest& request) {
  if (Exists(program) && UsersMayChange(program, false)) return true;
  if (IsFullPath(program) && UsersMayChange(FolderOf(DirectoryPart(program)), true)) return true;
  return UsersMayChangeAPathFolder(request.Directory);
}
}  // namespace

ProgramDetails ComputeProgramDetails(const DetailsRequest& request) {
  ProgramDetails details;
  const std::wstring program = ResolvedProgram(request.Installation);
  if (Exists(program)) AddFileDetails(program, details);
  HijackFacts facts{request.Scope, request.HidesMachine};
  if (request.Scope == Scope::User && request.HidesMachine)
    facts.WindowsProgram = InWindowsFolder(program) || details.MicrosoftRoot ||
                           HiddenIsWindowsProgram(ResolvedProgram(request.HiddenInstallation));
  if (request.Scope == Scope::Machine)
    facts.UserWritable = UsersMayChangeWhatRuns(program, request);
  details.Warnings = HijackWarnings(facts);
  return details;
}
