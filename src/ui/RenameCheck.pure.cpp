#include "ui/RenameCheck.h"

#include "catalogue/InstallationText.h"
#include "platform/FileDirPath.h"
#include "platform/Text.h"

namespace {

// The last n characters; the whole text when it is shorter.
std::wstring LastChars(const std::wstring& text, size_t n) {
  return text.size() <= n ? text : text.substr(text.size() - n);
}

std::wstring WithoutLastChars(const std::wstring& text, size_t n) {
  return text.size() <= n ? std::wstring() : text.substr(0, text.size() - n);
}

bool HasStandardTypeDot(const std::wstring& name) {
  if (name.size() < 4) return !name.empty() && name.front() == L'.';
  return name[name.size() - 4] == L'.';
}

std::wstring UpToFirstDot(const std::wstring& name) {
  const size_t dot = name.find(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot + 1);
}

std::wstring Capitalized(const std::wstring& name) {
  if (name.empty()) return name;
  return ToUpper(name.substr(0, 1)) + ToLower(name.substr(1));
}

// Only the file-name part of the program has a type: C:\velmarin-acc (a folder) and C:\T\tool
// have none, C:\T\tool.exe /s has "exe".
std::wstring ProgramFileType(const std::wstring& installation) {
  const std::wstring file = FileNamePart(TestedPath(installation));
  const size_t dot = file.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : file.substr(dot + 1);
}

}  // namespace

RenameCheckResult CheckNewName(const std::wstring& name, const std::wstring& installation,
                               const std::function<bool(RenameQuestion)>& confirm) {
  // The type of the program the registration starts: quotes and arguments are no part of it.
  const std::wstring type = ProgramFileType(installation);
  // A program without a type gives the name nothing to agree with.
  if (type.empty()) return {true, Capitalized(name)};
  std::wstring n = name;
  if (n.find(L'.') == std::wstring::npos) n += L"." + type;

  if (!HasStandardTypeDot(n) && !confirm(RenameQuestion::NonStandardType))
    return {false, UpToFirstDot(n) + type};

  if (LastChars(n, type.size()) != type && !confirm(RenameQuestion::ChangedType))
    return {false, WithoutLastChars(n, type.size()) + type};

  return {true, Capitalized(n)};
}
