#pragma once
// The editor panel's line under its boxes: the shown entry's status in the legend's words and
// why (the file that was not found, the variable that was expanded). Platform-free: the text as
// Windows reads it is passed in.
#include <string>

#include "catalogue/AppPathEntry.h"

struct StatusReading {
  EntryStatus status = EntryStatus::Checking;
  std::wstring stored;  // the installation text as stored (or typed)
  std::wstring asRead;  // the same as Windows reads it: variables of a REG_EXPAND_SZ expanded
};

std::wstring PanelStatusLine(const StatusReading& reading);
