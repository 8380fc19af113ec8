#include "commands/KeyNames.h"

#include "texts/Texts.h"

namespace {
constexpr size_t kExtensionLength = 4;  // ".exe"

std::wstring WithReason(const std::wstring& message, std::wstring_view systemText,
                        unsigned long code) {
  const std::wstring reason =
      systemText.empty() ? Texts::kErrorCode + std::to_wstring(code) : std::wstring(systemText);
  return message + L"\n" + reason;
}
}  // namespace

std::wstring ShortName(std::wstring_view name) {
  if (name.size() < kExtensionLength) return std::wstring(name);
  return std::wstring(name.substr(0, name.size() - kExtensionLength));
}

std::wstring DeleteQuestion(std::wstring_view name) {
  return Texts::kDeleteQuestionStart + ShortName(name) + Texts::kDeleteQuestionEnd;
}

std::wstring DeletedMessage(std::wstring_view name) {
  return Texts::kDeletedStart + ShortName(name) + Texts::kDeletedEnd;
}

std::wstring DeleteFailedMessage(std::wstring_view name, std::wstring_view systemText,
                                 unsigned long code) {
  return WithReason(Texts::kDeleteFailedStart + ShortName(name) + Texts::kDeleteFailedEnd,
                    systemText, code);
}

std::wstring SaveFailedMessage(std::wstring_view systemText, unsigned long code) {
  return WithReason(Texts::kSaveFailed, systemText, code);
}
