#pragma once
// Splitting a path at its last backslash, and telling full paths from the rest. Platform-free.
#include <optional>
#include <string>
#include <string_view>

// The part after the last backslash (the whole path when it has none).
std::wstring FileNamePart(const std::wstring& path);

// The part up to and including the last backslash (empty when there is none).
std::wstring DirectoryPart(const std::wstring& path);

// "C:\..." or "\\server\..." (also "\\?\..."): the only forms that name one file without help
// from the current drive or folder.
bool IsFullPath(std::wstring_view path);

// The drive letter (upper case) a path starts with, also after \\?\; nothing for any other
// form (a share, a relative name).
std::optional<wchar_t> DriveLetterOf(std::wstring_view path);
