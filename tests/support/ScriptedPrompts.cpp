#include "support/ScriptedPrompts.h"

namespace {
template <typename T>
T TakeFront(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}
}  // namespace

int ScriptedPrompts::Message(HWND, const std::wstring& text, const std::wstring& title,
                             UINT flags) {
  messages.push_back({text, title, flags});
  if (whileAsking) whileAsking();
  return TakeFront(messageAnswers, IDOK);
}

std::optional<std::wstring> ScriptedPrompts::OpenFile(HWND, const FileDialogRequest& request) {
  openRequests.push_back(request);
  return TakeFront(openAnswers, std::optional<std::wstring>{});
}

std::optional<std::wstring> ScriptedPrompts::SaveFile(HWND, const FileDialogRequest& request) {
  saveRequests.push_back(request);
  return TakeFront(saveAnswers, std::optional<std::wstring>{});
}

std::optional<std::wstring> ScriptedPrompts::AskNewName(HWND, const std::wstring& proposed,
                                                        const std::wstring&) {
  renameProposals.push_back(proposed);
  if (whileAsking) whileAsking();
  return TakeFront(renameAnswers, std::optional<std::wstring>{});
}

std::optional<SearchRequest> ScriptedPrompts::AskSearch(HWND, const SearchRequest& last) {
  searchRequests.push_back(last);
  return TakeFront(searchAnswers, std::optional<SearchRequest>{});
}

std::optional<std::vector<bool>> ScriptedPrompts::AskCleanUp(HWND,
                                                             const std::vector<CleanUpRow>& rows) {
  cleanUpOffers.push_back(rows);
  if (whileAsking) whileAsking();
  std::vector<bool> asOffered;
  for (const CleanUpRow& row : rows) asOffered.push_back(row.removable);
  return TakeFront(cleanUpAnswers, std::optional<std::vector<bool>>(asOffered));
}

std::optional<std::vector<bool>> ScriptedPrompts::AskRestore(HWND, const std::wstring& file,
                                                             const std::vector<DifferenceRow>& rows) {
  restoreOffers.emplace_back(file, rows);
  return TakeFront(restoreAnswers, std::optional<std::vector<bool>>{});
}
