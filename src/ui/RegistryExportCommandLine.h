#pragma once
// The command line that has the registry editor export a key into a file. Platform-free.
#include <optional>
#include <string>
#include <string_view>

// "<editor>" /e "<file>" "<key>", each part one argument however many blanks it holds.
// Nothing when a part is empty or holds a double quote or a line break: such a part could end
// its argument early and turn the rest into further switches of the editor.
std::optional<std::wstring> RegistryExportCommandLine(std::wstring_view editor,
                                                      std::wstring_view file,
                                                      std::wstring_view key);
