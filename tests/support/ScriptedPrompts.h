#pragma once
// Answers the program's prompts from a script and records what was asked, so tests can check
// the exact text, title and flags.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/Prompts.h"

struct AskedMessage {
  std::wstring text;
  std::wstring title;
  UINT flags = 0;
};

class ScriptedPrompts final : public Prompts {
 public:
  // Answers in order; an empty queue answers IDOK to a message and cancels a dialog.
  std::deque<int> messageAnswers;
  std::deque<std::optional<std::wstring>> openAnswers;
  std::deque<std::optional<std::wstring>> saveAnswers;
  std::deque<std::optional<std::wstring>> renameAnswers;
  // An empty queue cancels the find dialog and confirms the clean-up dialog as offered.
  std::deque<std::optional<SearchRequest>> searchAnswers;
  std::deque<std::optional<std::vector<bool>>> cleanUpAnswers;
  // An empty queue closes the comparison's dialog.
  std::deque<std::optional<std::vector<bool>>> restoreAnswers;

  // Runs while a message box, the rename or the clean-up dialog is "open", before it answers:
  // a test can queue the input a person (or another program) might give meanwhile.
  std::function<void()> whileAsking;

  std::vector<AskedMessage> messages;
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;
  std::vector<std::wstring> renameProposals;
  std::vector<SearchRequest> searchRequests;
  std::vector<std::vector<CleanUpRow>> cleanUpOffers;
  std::vector<std::pair<std::wstring, std::vector<DifferenceRow>>> restoreOffers;  // file, rows

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
