#include "catalogue/EntryValues.h"

#include "catalogue/FolderTokens.h"
#include "platform/ControlPictures.h"

namespace {
std::optional<Registry::RawValue> Stored(const std::vector<Registry::RawValue>& values,
                                         const wchar_t* name) {
  const Registry::RawValue* value = Registry::FindValue(values, name);
  return value == nullptr ? std::nullopt : std::optional<Registry::RawValue>(*value);
}

// Only text is a path: a number, binary data or a list shows empty instead of a made-up path.
std::wstring ShownText(const std::optional<Registry::RawValue>& value) {
  if (!value) return {};
  return Registry::TextOfRaw(*value).value_or(std::wstring());
}

// The program files token first, then the Windows folder token; control characters as their
// pictures.
std::wstring WithFolders(const std::wstring& text, const FolderPaths& folders) {
  return WithControlPictures(
      ReplaceFolderToken(ReplaceFolderToken(text, kProgramFilesToken, folders.programFiles),
                         kSystemRootToken, folders.windows));
}
}  // namespace

AppPathEntry EntryFromValues(const std::wstring& keyName,
                             const std::vector<Registry::RawValue>& values,
                             const FolderPaths& folders) {
  AppPathEntry entry;
  entry.KeyName = keyName;
  entry.FileName = WithControlPictures(FileNameFromKeyName(keyName));
  entry.StoredInstallation = Stored(values, kInstallationValue);
  entry.StoredDirectory = Stored(values, kDirectoryValue);
  entry.Installation = WithFolders(ShownText(entry.StoredInstallation), folders);
  entry.Directory = WithFolders(ShownText(entry.StoredDirectory), folders);
  for (const Registry::RawValue& value : values)
    if (&value != Registry::FindValue(values, kInstallationValue) &&
        &value != Registry::FindValue(values, kDirectoryValue))
      entry.HasSettings = true;
  // Folded here, where the entry is read (the start-up's scan runs on a worker thread).
  entry.Folded = FoldedTexts(entry.FileName, entry.KeyName, entry.Installation, entry.Directory);
  return entry;
}

bool HoldsVariableReference(std::wstring_view text) {
  const size_t open = text.find(L'%');
  if (open == std::wstring_view::npos) return false;
  const size_t close = text.find(L'%', open + 1);
  return close != std::wstring_view::npos && close > open + 1;
}

uint32_t WrittenType(std::wstring_view text, const std::optional<Registry::RawValue>& stored) {
  const bool expand = stored && stored->type == Registry::kTypeExpandString &&
                      HoldsVariableReference(text);
  return expand ? Registry::kTypeExpandString : Registry::kTypeString;
}
