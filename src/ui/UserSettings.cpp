#include "ui/UserSettings.h"

#include <cstring>

#include "platform/Registry.h"

std::optional<uint32_t> ReadUserSetting(const wchar_t* name) {
  const auto values = Registry::ReadValues(HKEY_CURRENT_USER, kSettingsKey);
  const Registry::RawValue* value = values ? Registry::FindValue(*values, name) : nullptr;
  if (value == nullptr || value->type != Registry::kTypeDword || value->data.size() != 4)
    return std::nullopt;
  uint32_t number = 0;
  std::memcpy(&number, value->data.data(), sizeof(number));
  return number;
}

LONG WriteUserSetting(const wchar_t* name, uint32_t value) {
  LONG error = ERROR_SUCCESS;
  Registry::CreateKey(HKEY_CURRENT_USER, kSettingsKey, L"", &error);
  if (error != ERROR_SUCCESS) return error;
  Registry::RawValue raw{name, Registry::kTypeDword, std::vector<uint8_t>(sizeof(value))};
  std::memcpy(raw.data.data(), &value, sizeof(value));
  Registry::SetRawValue(HKEY_CURRENT_USER, kSettingsKey, raw, &error);
  return error;
}
