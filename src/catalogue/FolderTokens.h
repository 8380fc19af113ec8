#pragma once
// Replacing %PROGRAMFILES% and %SYSTEMROOT% in registered paths. Platform-free.
#include <string>
#include <string_view>

inline constexpr std::wstring_view kProgramFilesToken = L"%PROGRAMFILES%";
inline constexpr std::wstring_view kSystemRootToken = L"%SYSTEMROOT%";

// Replaces the first occurrence of `token` (letter case ignored) with `folder`, in place: the
// text before and after the token stays.
std::wstring ReplaceFolderToken(std::wstring_view field, std::wstring_view token,
                                std::wstring_view folder);
