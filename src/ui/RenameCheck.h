#pragma once
// The check the rename dialog applies to a new name before it accepts it: the name must carry
// the three-letter file type of the installation's program, or the user confirms the deviation. Platform-free.
#include <functional>
#include <string>

enum class RenameQuestion {
  NonStandardType,  // the name's fourth-last character is not a dot
  ChangedType,      // the name's last three characters differ from the installation's
};

struct RenameCheckResult {
  bool accepted = false;  // false: the dialog stays open showing `name`
  std::wstring name;      // the name to show in the field, or the accepted name
};

// `confirm` asks the user one question and returns true for OK, false for Cancel.
RenameCheckResult CheckNewName(const std::wstring& name, const std::wstring& installation,
                               const std::function<bool(RenameQuestion)>& confirm);
