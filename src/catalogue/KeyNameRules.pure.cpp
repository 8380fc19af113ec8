#include "catalogue/KeyNameRules.h"

#include <array>
#include <string>

#include "platform/Text.h"

namespace {
constexpr std::array<std::wstring_view, 3> kProtectedNames = {L"WINNT32.EXE", L"INSTALL.EXE",
                                                              L"SETUP.EXE"};
}  // namespace

KeyNameProblem CheckKeyName(std::wstring_view name) {
  if (name.empty()) return KeyNameProblem::Empty;
  if (name.find(L'\\') != std::wstring_view::npos) return KeyNameProblem::Backslash;
  if (name.size() > kMaxKeyNameLength) return KeyNameProblem::TooLong;
  return KeyNameProblem::None;
}

KeyNameProblem CheckTypedKeyName(std::wstring_view name) {
  const KeyNameProblem problem = CheckKeyName(name);
  if (problem != KeyNameProblem::None) return problem;
  for (const wchar_t c : name)
    if (c < L' ' || c == 0x7F) return KeyNameProblem::ControlCharacter;
  return KeyNameProblem::None;
}

bool HoldsNul(std::wstring_view name) { return name.find(L'\0') != std::wstring_view::npos; }

bool IsProtectedName(std::wstring_view name) {
  const std::wstring upper = ToUpper(name);
  for (std::wstring_view protectedName : kProtectedNames)
    if (upper == protectedName) return true;
  return false;
}
