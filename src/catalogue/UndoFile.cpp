#include "catalogue/UndoFile.h"

#include <cwchar>
#include <iterator>
#include <optional>

#include "platform/FileContent.h"
#include "platform/UniqueHandle.h"

namespace {

UndoFileResult Failure(UndoFileStep step, DWORD error) {
  UndoFileResult result;
  result.failedStep = step;
  result.error = error;
  return result;
}

// Only the file this call created is written to; CREATE_NEW keeps an earlier undo safe.
UndoFileResult WriteNewFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return Failure(UndoFileStep::Create, GetLastError());
  // On the disk before the first key goes.
  DWORD error = WriteAndFlush(file.get(), bytes);
  if (!CloseHandle(file.release()) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS) return {};
  DeleteFileW(path.c_str());
  return Failure(UndoFileStep::Write, error);
}

bool HoldsExactly(const std::vector<uint8_t>& bytes, const std::vector<RegFile::Entry>& entries) {
  const std::optional<std::u16string> text = RegFile::TextOfFile(bytes);
  return text && RegFile::Parse(*text) == RegFile::Sections(entries);
}

}  // namespace

UndoFileResult WriteUndoFile(const std::wstring& path, const std::vector<RegFile::Entry>& entries,
                             const UndoFileSeam& beforeReadBack) {
  if (std::optional<RegFile::Unrestorable> obstacle = RegFile::FindUnrestorable(entries)) {
    UndoFileResult result = Failure(UndoFileStep::Check, ERROR_INVALID_DATA);
    result.unrestorable = std::move(*obstacle);
    return result;
  }
  const std::vector<uint8_t> bytes = RegFile::FileBytes(RegFile::Text(entries));
  if (UndoFileResult written = WriteNewFile(path, bytes); !written.ok()) return written;
  if (beforeReadBack) beforeReadBack(path);
  DWORD error = ERROR_SUCCESS;
  const std::optional<std::vector<uint8_t>> stored = ReadWholeFile(path, error);
  if (stored && HoldsExactly(*stored, entries)) return {};
  DeleteFileW(path.c_str());
  return stored ? Failure(UndoFileStep::Verify, ERROR_INVALID_DATA)
                : Failure(UndoFileStep::Read, error);
}

std::wstring UndoFilePath(const std::wstring& folder, const SYSTEMTIME& time,
                          const std::wstring& prefix) {
  wchar_t stamp[64] = {};
  std::swprintf(stamp, std::size(stamp), L"%04u-%02u-%02u-%02u%02u%02u.reg", time.wYear,
                time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
  const std::wstring name = prefix + stamp;
  if (folder.empty() || folder.back() == L'\\') return folder + name;
  return folder + L'\\' + name;
}
