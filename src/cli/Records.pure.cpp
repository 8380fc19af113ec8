#include "cli/Records.h"

#include <string_view>

#include "ui/Texts.h"

namespace {
// The default value as the registry holds it, not as the window shows it (no folder tokens
// replaced, a REG_EXPAND_SZ text unexpanded); empty when it is missing or not text.
std::wstring StoredText(const std::optional<Registry::RawValue>& value) {
  if (!value) return {};
  return Registry::TextOfRaw(*value).value_or(std::wstring());
}

std::wstring Ascii(std::string_view text) { return std::wstring(text.begin(), text.end()); }

using FieldText = std::wstring (*)(const ListedRegistration&);

struct Field {
  const char* name;
  FieldText text;
};

// Every field of a record, in its order: a new field is one more row here.
const Field kFields[] = {
    {"scope",
     [](const ListedRegistration& r) {
       return std::wstring(r.entry.Scope == Scope::Machine ? L"machine" : L"user");
     }},
    {"key", [](const ListedRegistration& r) { return r.entry.KeyName; }},
    {"status", [](const ListedRegistration& r) { return Ascii(WordsOf(r.entry.Status).code); }},
    {"statusText",
     [](const ListedRegistration& r) { return std::wstring(WordsOf(r.entry.Status).text); }},
    {"installation",
     [](const ListedRegistration& r) { return StoredText(r.entry.StoredInstallation); }},
    {"program", [](const ListedRegistration& r) { return r.program; }},
    {"path", [](const ListedRegistration& r) { return StoredText(r.entry.StoredDirectory); }},
};
}  // namespace

const std::vector<std::string>& FieldNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const Field& field : kFields) all.emplace_back(field.name);
    return all;
  }();
  return names;
}

std::vector<std::wstring> FieldTexts(const ListedRegistration& registration) {
  std::vector<std::wstring> texts;
  for (const Field& field : kFields) texts.push_back(field.text(registration));
  return texts;
}

// One case per status, no default: a new status does not compile quietly into a wrong word.
StatusWords WordsOf(EntryStatus status) {
  switch (status) {
    case EntryStatus::Fine:
      return {"fine", Texts::kLegendReady};
    case EntryStatus::FileNotFound:
      return {"missing", Texts::kLegendNotFound};
    case EntryStatus::Broken:
      return {"broken", Texts::kLegendBroken};
    case EntryStatus::SettingsOnly:
      return {"settings", Texts::kLegendSettings};
    case EntryStatus::Hidden:
      return {"hidden", Texts::kLegendHidden};
    case EntryStatus::Unreachable:
      return {"unreachable", Texts::kLegendUnreachable};
    case EntryStatus::Checking:  // the command line waits for every answer
      break;
  }
  return {"checking", L""};
}
