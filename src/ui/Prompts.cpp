#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "ui/FileFilter.h"
#include "ui/Prompts.h"

namespace {

// Long enough for any path the dialog can return (the extended-length limit).
constexpr size_t kFileBufferLength = 32768;

using DialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

// Cancelled, or the dialog failed (CommDlgExtendedError != 0): nothing chosen either way.
std::optional<std::wstring> RunFileDialog(HWND owner, const FileDialogRequest& request,
                                          DialogFunction show) {
  std::wstring file(kFileBufferLength, L'\0');
  file.replace(0, std::min(request.fileName.size(), kFileBufferLength - 1), request.fileName);
  const std::wstring filter = NulSeparatedFilter(request.filter);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
  dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  dialog.Flags = request.flags;
  if (!show(&dialog) || CommDlgExtendedError() != 0) return std::nullopt;
  file.resize(file.find(L'\0'));
  return file;
}

}  // namespace

int SystemPrompts::Message(HWND owner, const std::wstring& text, const std::wstring& title,
                           UINT flags) {
  return MessageBoxW(owner, text.c_str(), title.c_str(), flags);
}

std::optional<std::wstring> SystemPrompts::OpenFile(HWND owner,
                                                    const FileDialogRequest& request) {
  return RunFileDialog(owner, request, &GetOpenFileNameW);
}

std::optional<std::wstring> SystemPrompts::SaveFile(HWND owner,
                                                    const FileDialogRequest& request) {
  return RunFileDialog(owner, request, &GetSaveFileNameW);
}
