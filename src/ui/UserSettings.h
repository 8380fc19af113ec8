#pragma once
// What the window remembers for each user between runs, below HKEY_CURRENT_USER\Software\Velmarin
// (the user's own key: one administrator's choice is not another's). Numbers as REG_DWORD.
#include <windows.h>

#include <cstdint>
#include <optional>

inline constexpr wchar_t kSettingsKey[] = L"Software\\Velmarin";
// Which of the list's optional columns are shown (EntryListView::DetailColumnBit).
inline constexpr wchar_t kDetailColumnsSetting[] = L"DetailColumns";
// 1: rows of programs signed by Microsoft are hidden.
inline constexpr wchar_t kHideWindowsEntriesSetting[] = L"HideWindowsEntries";

// Nothing when the value is not there or not a REG_DWORD.
std::optional<uint32_t> ReadUserSetting(const wchar_t* name);
// ERROR_SUCCESS, or the Win32 code of the call that failed.
LONG WriteUserSetting(const wchar_t* name, uint32_t value);
