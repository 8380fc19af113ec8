#include "commands/UndoPath.h"

#include <windows.h>

#include "catalogue/UndoFile.h"
#include "platform/FileDirPath.h"

std::wstring NewUndoPath(CommandHost& host, const std::wstring& prefix) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::wstring folder = DirectoryPart(host.BackupPath());
  if (!folder.empty()) folder.pop_back();
  return UndoFilePath(folder, now, prefix);
}
