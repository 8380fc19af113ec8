#pragma once
// Where the program needs a person: message boxes, the open and save dialogs and the rename
// dialog. The window and the commands ask through this interface, so tests can answer.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/EntrySearch.h"
#include "ui/dialogs/CleanUpDialog.h"
#include "ui/dialogs/ComparisonDialog.h"

struct FileDialogRequest {
  std::wstring title;
  std::wstring filter;         // "Programme|*.exe|Alle Dateitypen|*.*"
  std::wstring initialFolder;  // empty: the dialog's own default
  std::wstring fileName;       // proposed file name
  DWORD flags = 0;             // OFN_* flags
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  // A modal message box; returns the button pressed (IDOK, IDYES, ...).
  virtual int Message(HWND owner, const std::wstring& text, const std::wstring& title,
                      UINT flags) = 0;
  // The chosen file's full path, or nothing when the user cancelled.
  virtual std::optional<std::wstring> OpenFile(HWND owner, const FileDialogRequest& request) = 0;
  virtual std::optional<std::wstring> SaveFile(HWND owner, const FileDialogRequest& request) = 0;
  // The rename dialog: the accepted new name, or nothing when the user cancelled or closed it.
  // `installation` is the installation text the dialog checks the name's extension against.
  virtual std::optional<std::wstring> AskNewName(HWND owner, const std::wstring& proposed,
                                                 const std::wstring& installation) = 0;
  // The find dialog, filled with the last request; nothing when the user cancelled.
  virtual std::optional<SearchRequest> AskSearch(HWND owner, const SearchRequest& last) = 0;
  // The clean-up dialog: which rows are checked when the user confirms; nothing on cancel.
  virtual std::optional<std::vector<bool>> AskCleanUp(HWND owner,
                                                      const std::vector<CleanUpRow>& rows) = 0;
  // The comparison's dialog for `file`: which rows are checked when the user asks for the
  // restore; nothing when the dialog was closed.
  virtual std::optional<std::vector<bool>> AskRestore(HWND owner, const std::wstring& file,
                                                      const std::vector<DifferenceRow>& rows) = 0;
};

// The real dialogs of the system. Each dialog of the program's own defines its method beside
// itself (ui/dialogs/).
class SystemPrompts final : public Prompts {
 public:
  int Message(HWND owner, const std::wstring& text, const std::wstring& title,
              UINT flags) override;
  std::optional<std::wstring> OpenFile(HWND owner, const FileDialogRequest& request) override;
  std::optional<std::wstring> SaveFile(HWND owner, const FileDialogRequest& request) override;
  std::optional<std::wstring> AskNewName(HWND owner, const std::wstring& proposed,
                                         const std::wstring& installation) override;
  std::optional<SearchRequest> AskSearch(HWND owner, const SearchRequest& last) override;
  std::optional<std::vector<bool>> AskCleanUp(HWND owner,
                                              const std::vector<CleanUpRow>& rows) override;
  std::optional<std::vector<bool>> AskRestore(HWND owner, const std::wstring& file,
                                              const std::vector<DifferenceRow>& rows) override;
};
