#include "catalogue/JournalFile.h"

#include "catalogue/JournalFormat.h"
#include "catalogue/UserScope.h"
#include "platform/FileContent.h"
#include "platform/FileDirPath.h"
#include "platform/Processes.h"

namespace {

// A hundred changes of App Paths keys take far less; a larger file is not a journal, and reading
// it whole would only exhaust the memory.
constexpr uint64_t kLargestJournal = 256ull << 20;

JournalFileStatus Problem(JournalFileProblem problem, DWORD error) { return {problem, error}; }

// The folder of `path` (its parent must exist; the user's application data folder does).
DWORD EnsureFolder(const std::wstring& path) {
  std::wstring folder = DirectoryPart(path);
  if (folder.empty()) return ERROR_PATH_NOT_FOUND;
  folder.pop_back();
  if (CreateDirectoryW(folder.c_str(), nullptr)) return ERROR_SUCCESS;
  const DWORD error = GetLastError();
  return error == ERROR_ALREADY_EXISTS ? ERROR_SUCCESS : error;
}

DWORD WriteNewFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  DWORD error = WriteAndFlush(file.get(), bytes);
  if (!CloseHandle(file.release()) && error == ERROR_SUCCESS) error = GetLastError();
  if (error != ERROR_SUCCESS) DeleteFileW(path.c_str());
  return error;
}

}  // namespace

std::wstring DefaultJournalPath() {
  const std::optional<std::wstring> folder = UserScopeDataFolder();
  return folder ? *folder + L"\\Journal.dat" : std::wstring();
}

LoadedJournal LoadJournalFile(const std::wstring& path) {
  LoadedJournal loaded;
  DWORD error = ERROR_SUCCESS;
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, error, kLargestJournal);
  if (!bytes) {
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      loaded.status = Problem(JournalFileProblem::Read, error);
    return loaded;
  }
  std::optional<std::vector<JournalEntry>> entries = DecodeJournal(*bytes);
  if (!entries)
    loaded.status = Problem(JournalFileProblem::Damaged, ERROR_INVALID_DATA);
  else
    loaded.entries = std::move(*entries);
  return loaded;
}

JournalFileStatus SaveJournalFile(const std::wstring& path,
                                  const std::vector<JournalEntry>& entries) {
  if (const DWORD error = EnsureFolder(path); error != ERROR_SUCCESS)
    return Problem(JournalFileProblem::MakeFolder, error);
  const std::wstring fresh = path + L".neu";
  if (const DWORD error = WriteNewFile(fresh, EncodeJournal(entries)); error != ERROR_SUCCESS)
    return Problem(JournalFileProblem::Write, error);
  if (MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return {};
  const DWORD error = GetLastError();
  DeleteFileW(fresh.c_str());
  return Problem(JournalFileProblem::Replace, error);
}
