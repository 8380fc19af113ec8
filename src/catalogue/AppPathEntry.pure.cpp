#include "catalogue/AppPathEntry.h"

#include "platform/Text.h"

namespace {
// One character may take two UTF-16 code units; case mapping must see both.
size_t FirstCharacterLength(std::wstring_view text) {
  if (text.empty()) return 0;
  const bool highSurrogate = text[0] >= 0xD800 && text[0] <= 0xDBFF;
  const bool lowFollows = text.size() > 1 && text[1] >= 0xDC00 && text[1] <= 0xDFFF;
  return highSurrogate && lowFollows ? 2 : 1;
}
}  // namespace

std::wstring FileNameFromKeyName(std::wstring_view keyName) {
  const size_t first = FirstCharacterLength(keyName);
  return ToUpper(keyName.substr(0, first)) + ToLower(keyName.substr(first));
}

const wchar_t* ImageKeyOf(EntryStatus status) {
  switch (status) {
    case EntryStatus::Fine:
      return L"Ready";
    case EntryStatus::FileNotFound:
      return L"Achtung";
    case EntryStatus::SettingsOnly:
      return L"Info";
    case EntryStatus::Hidden:
      return L"Hilfe";
    case EntryStatus::Unreachable:
      return L"Unerreichbar";
    case EntryStatus::Checking:
      return L"";
    case EntryStatus::Broken:
      break;
  }
  return L"Fehler";
}

std::wstring AppPathsKeyName(std::wstring_view rootName, std::wstring_view keyName) {
  std::wstring name = std::wstring(rootName) + L'\\' + Registry::kAppPathsKey;
  if (!keyName.empty()) name += L'\\' + std::wstring(keyName);
  return name;
}

bool IsBroken(EntryStatus status) {
  return status == EntryStatus::FileNotFound || status == EntryStatus::Broken;
}

std::optional<std::wstring> ProgramText(const AppPathEntry& entry) {
  if (!entry.StoredInstallation) return std::nullopt;
  std::optional<std::wstring> text = Registry::TextOfRaw(*entry.StoredInstallation);
  if (!text || text->empty()) return std::nullopt;
  return text;
}

FoldedTexts::FoldedTexts(std::wstring_view fileName, std::wstring_view keyName,
                         std::wstring_view installation, std::wstring_view directory) {
  const std::wstring keyFold = FoldCase(keyName);
  const std::wstring fileFold = FoldCase(fileName);
  const bool fileSeparate = fileFold != keyFold;
  chars_.reserve(keyFold.size() + installation.size() + directory.size() +
                 (fileSeparate ? fileFold.size() : 0));
  chars_ = keyFold;
  ends_[0] = static_cast<uint32_t>(chars_.size());
  chars_ += FoldCase(installation);
  ends_[1] = static_cast<uint32_t>(chars_.size());
  chars_ += FoldCase(directory);
  ends_[2] = static_cast<uint32_t>(chars_.size());
  if (fileSeparate) chars_ += fileFold;
  ends_[3] = static_cast<uint32_t>(chars_.size());
}

std::wstring_view FoldedTexts::Text(size_t column) const {
  const std::wstring_view all = chars_;
  switch (column) {
    case 0:
      return FileNameFoldsAsKeyName() ? all.substr(0, ends_[0])
                                      : all.substr(ends_[2], ends_[3] - ends_[2]);
    case 1: return all.substr(0, ends_[0]);
    case 2: return all.substr(ends_[0], ends_[1] - ends_[0]);
    case 3: return all.substr(ends_[1], ends_[2] - ends_[1]);
    default: return {};
  }
}
