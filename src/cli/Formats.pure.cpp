#include "cli/Formats.h"

#include <nlohmann/json.hpp>

#include "cli/Report.h"

namespace {
void AppendUtf8(std::string& bytes, char32_t c) {
  if (c < 0x80) {
    bytes += static_cast<char>(c);
    return;
  }
  const int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  static constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
  bytes += static_cast<char>(kLead[tail] | (c >> (6 * tail)));
  for (int shift = 6 * (tail - 1); shift >= 0; shift -= 6)
    bytes += static_cast<char>(0x80 | ((c >> shift) & 0x3F));
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// UTF-8 of UTF-16 text (wchar_t is wider on the native test build; units stay units). A lone
// surrogate, which UTF-8 cannot hold, becomes U+FFFD, as the system's conversion of the other
// formats makes it.
std::string Utf8(std::wstring_view text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char32_t>(text[i]);
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    else if (IsHighSurrogate(c) || IsLowSurrogate(c))
      c = 0xFFFD;
    AppendUtf8(bytes, c);
  }
  return bytes;
}

std::wstring CsvField(const std::wstring& field) {
  if (field.find_first_of(L"\",\r\n") == std::wstring::npos) return field;
  std::wstring quoted = L"\"";
  for (const wchar_t c : field) quoted += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
  return quoted + L'"';
}

std::wstring Joined(const std::vector<std::wstring>& fields, wchar_t separator) {
  std::wstring line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += separator;
    line += fields[i];
  }
  return line;
}

std::vector<std::wstring> WideNames(const RecordTable& table) {
  std::vector<std::wstring> names;
  for (const std::string& name : table.names) names.emplace_back(name.begin(), name.end());
  return names;
}

// A list's texts joined by ";" for the formats that have no lists.
std::vector<std::wstring> FlatTexts(const std::vector<FieldValue>& values) {
  std::vector<std::wstring> texts;
  for (const FieldValue& value : values)
    texts.push_back(std::holds_alternative<std::wstring>(value)
                        ? std::get<std::wstring>(value)
                        : Joined(std::get<std::vector<std::wstring>>(value), L';'));
  return texts;
}

nlohmann::ordered_json JsonValue(const FieldValue& value) {
  if (const auto* text = std::get_if<std::wstring>(&value)) return Utf8(*text);
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const std::wstring& text : std::get<std::vector<std::wstring>>(value))
    list.push_back(Utf8(text));
  return list;
}

std::vector<std::wstring> JsonLines(const RecordTable& table) {
  if (table.records.empty()) return {L"[]"};
  std::vector<std::wstring> lines{L"["};
  for (size_t i = 0; i < table.records.size(); ++i)
    lines.push_back(JsonObject(table.names, table.records[i]) +
                    (i + 1 < table.records.size() ? L"," : L""));
  lines.emplace_back(L"]");
  return lines;
}
}  // namespace

std::wstring CsvLine(const std::vector<std::wstring>& fields) {
  std::vector<std::wstring> quoted;
  for (const std::wstring& field : fields) quoted.push_back(CsvField(field));
  return Joined(quoted, L',');
}

std::wstring JsonObject(const std::vector<std::string>& names,
                        const std::vector<FieldValue>& values) {
  nlohmann::ordered_json object = nlohmann::ordered_json::object();
  for (size_t i = 0; i < names.size() && i < values.size(); ++i)
    object[names[i]] = JsonValue(values[i]);
  // Utf8 writes valid UTF-8 only; should anything else reach the writer, it is replaced by
  // U+FFFD rather than thrown about.
  const std::string ascii =
      object.dump(-1, ' ', true, nlohmann::ordered_json::error_handler_t::replace);
  return std::wstring(ascii.begin(), ascii.end());
}

std::vector<std::wstring> FormattedLines(OutputFormat format, const RecordTable& table) {
  if (format == OutputFormat::Json) return JsonLines(table);
  const bool csv = format == OutputFormat::Csv;
  const std::vector<std::wstring> names = WideNames(table);
  std::vector<std::wstring> lines{csv ? CsvLine(names) : Joined(names, L'\t')};
  for (const std::vector<FieldValue>& record : table.records) {
    const std::vector<std::wstring> texts = FlatTexts(record);
    lines.push_back(csv ? CsvLine(texts) : TabSeparated(texts));
  }
  return lines;
}
