#include "cli/Records.h"

#include <string_view>

#include "cli/Report.h"
#include "texts/Texts.h"

namespace {
// The default value as the registry holds it, not as the window shows it (no folder tokens
// replaced, a REG_EXPAND_SZ text unexpanded); empty when it is missing or not text.
std::wstring StoredText(const std::optional<Registry::RawValue>& value) {
  if (!value) return {};
  return Registry::TextOfRaw(*value).value_or(std::wstring());
}

std::wstring Ascii(std::string_view text) { return std::wstring(text.begin(), text.end()); }

std::wstring ScopeCode(Scope scope) { return scope == Scope::Machine ? L"machine" : L"user"; }

std::vector<std::wstring> WarningCodes(const std::vector<HijackWarning>& warnings) {
  std::vector<std::wstring> codes;
  for (const HijackWarning warning : warnings) codes.push_back(Ascii(WarningCode(warning)));
  return codes;
}

template <typename Item>
struct Field {
  const char* name;
  FieldValue (*value)(const Item&);
};

using Listed = ListedRegistration;

// Every field of a registration's record, in its order: a new field is one more row here.
const Field<Listed> kRegistrationFields[] = {
    {"scope", [](const Listed& r) -> FieldValue { return ScopeCode(r.entry.Scope); }},
    {"key", [](const Listed& r) -> FieldValue { return r.entry.KeyName; }},
    {"status", [](const Listed& r) -> FieldValue { return Ascii(WordsOf(r.entry.Status).code); }},
    {"statusText",
     [](const Listed& r) -> FieldValue { return std::wstring(WordsOf(r.entry.Status).text); }},
    {"installation",
     [](const Listed& r) -> FieldValue { return StoredText(r.entry.StoredInstallation); }},
    {"program", [](const Listed& r) -> FieldValue { return r.program; }},
    {"path", [](const Listed& r) -> FieldValue { return StoredText(r.entry.StoredDirectory); }},
    {"company", [](const Listed& r) -> FieldValue { return r.details.Company; }},
    {"description", [](const Listed& r) -> FieldValue { return r.details.Description; }},
    {"version", [](const Listed& r) -> FieldValue { return r.details.Version; }},
    {"signature",
     [](const Listed& r) -> FieldValue { return Ascii(SignatureCode(r.details.Signature)); }},
    {"signer", [](const Listed& r) -> FieldValue { return r.details.Signer; }},
    {"warnings", [](const Listed& r) -> FieldValue { return WarningCodes(r.details.Warnings); }},
};

// A difference's record: the fields of /diff's lines, the parts as one list.
const Field<Difference> kDifferenceFields[] = {
    {"change",
     [](const Difference& d) -> FieldValue { return std::wstring(ChangeWord(d.change)); }},
    {"scope", [](const Difference& d) -> FieldValue { return ScopeCode(d.scope); }},
    {"key", [](const Difference& d) -> FieldValue { return d.keyName; }},
    {"parts", [](const Difference& d) -> FieldValue { return ChangedParts(d); }},
};

template <typename Item, size_t count>
RecordTable Table(const Field<Item> (&fields)[count], const std::vector<Item>& items) {
  RecordTable table;
  for (const Field<Item>& field : fields) table.names.emplace_back(field.name);
  for (const Item& item : items) {
    std::vector<FieldValue>& record = table.records.emplace_back();
    for (const Field<Item>& field : fields) record.push_back(field.value(item));
  }
  return table;
}
}  // namespace

RecordTable RegistrationRecords(const std::vector<ListedRegistration>& registrations) {
  return Table(kRegistrationFields, registrations);
}

RecordTable DifferenceRecords(const std::vector<Difference>& differences) {
  return Table(kDifferenceFields, differences);
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

// No default either: a new kind must be given its word.
const char* SignatureCode(SignatureKind kind) {
  switch (kind) {
    case SignatureKind::Signed:
      return "signed";
    case SignatureKind::Unsigned:
      return "unsigned";
    case SignatureKind::Invalid:
      return "invalid";
    case SignatureKind::Unknown:
      break;
  }
  return "unknown";
}
