#include "platform/RegistryData.h"

#include "platform/Text.h"

namespace Registry {
namespace {
bool IsTextType(uint32_t type) { return type == kTypeString || type == kTypeExpandString; }
}  // namespace

std::optional<std::wstring> TextOfRaw(const RawValue& value) {
  if (!IsTextType(value.type)) return std::nullopt;
  // The registry stores UTF-16 units, two bytes little-endian, whatever wchar_t is here.
  std::wstring text;
  for (size_t at = 0; at + 1 < value.data.size(); at += 2) {
    const auto unit = static_cast<wchar_t>(value.data[at] | (value.data[at + 1] << 8));
    if (unit == L'\0') break;
    text.push_back(unit);
  }
  return text;
}

RawValue TextValue(std::wstring name, std::wstring_view text, uint32_t type) {
  RawValue value{std::move(name), type, {}};
  value.data.reserve((text.size() + 1) * 2);
  for (const wchar_t unit : text) {
    value.data.push_back(static_cast<uint8_t>(unit & 0xFF));
    value.data.push_back(static_cast<uint8_t>((unit >> 8) & 0xFF));
  }
  value.data.insert(value.data.end(), 2, 0);
  return value;
}

const RawValue* FindValue(const std::vector<RawValue>& values, std::wstring_view name) {
  const std::wstring wanted = ToUpper(name);
  for (const RawValue& value : values)
    if (value.name.size() == name.size() && ToUpper(value.name) == wanted) return &value;
  return nullptr;
}

}  // namespace Registry
