#include "catalogue/RegFile.h"

namespace RegFile {
namespace {

using Registry::KeyTree;
using Registry::RawValue;

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kLineEnd = u"\r\n";

// The editor ends a hex line after the comma that takes it to this many characters or more and
// goes on after two blanks on the next line, so lines stay near 80 characters.
constexpr size_t kHexLineLimit = 77;
constexpr std::u16string_view kHexIndent = u"  ";

constexpr char16_t kHexDigits[] = u"0123456789abcdef";

// wchar_t is one UTF-16 unit on Windows. Where it is wider (the native build) a character
// beyond the first plane becomes its surrogate pair, as Windows would store it.
void AppendUtf16(std::u16string& out, wchar_t character) {
  const auto code = static_cast<uint32_t>(character);
  if (code <= 0xFFFF) {
    out.push_back(static_cast<char16_t>(code));
    return;
  }
  const uint32_t offset = code - 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
}

void AppendUtf16(std::u16string& out, std::wstring_view text) {
  for (const wchar_t character : text) AppendUtf16(out, character);
}

// Units stay units: a surrogate pair read back is two wchar_t, as the registry gives them.
std::wstring WideOf(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// Inside quotes the editor knows only these two escapes on every Windows version.
void AppendEscaped(std::u16string& out, std::wstring_view text) {
  for (const wchar_t character : text) {
    if (character == L'\\' || character == L'"') out.push_back(u'\\');
    AppendUtf16(out, character);
  }
}

char16_t UnitAt(const std::vector<uint8_t>& data, size_t index) {
  return static_cast<char16_t>(data[2 * index] | (data[2 * index + 1] << 8));
}

bool IsLineBreak(char16_t unit) { return unit == u'\r' || unit == u'\n'; }

bool IsStringType(uint32_t type) {
  return type == Registry::kTypeString || type == Registry::kTypeExpandString ||
         type == Registry::kTypeMultiString;
}

// The quoted form gives back one text with its terminator and nothing else, so only a REG_SZ
// that is exactly that, on one line, may use it; all other string data goes as hex(1).
bool FitsQuotedString(const RawValue& value) {
  const size_t size = value.data.size();
  if (value.type != Registry::kTypeString || size < 2 || size % 2 != 0) return false;
  const size_t units = size / 2;
  if (UnitAt(value.data, units - 1) != 0) return false;
  for (size_t index = 0; index + 1 < units; ++index) {
    const char16_t unit = UnitAt(value.data, index);
    if (unit == 0 || IsLineBreak(unit)) return false;
  }
  return true;
}

bool FitsDword(const RawValue& value) {
  return value.type == Registry::kTypeDword && value.data.size() == 4;
}

bool BreaksLine(std::wstring_view name) {
  return name.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring_view::npos;
}

Obstacle ObstacleOf(const RawValue& value) {
  if (BreaksLine(value.name)) return Obstacle::NameBreaksLine;
  if (!IsStringType(value.type) || FitsQuotedString(value) || value.data.empty())
    return Obstacle::None;
  if (value.data.size() == 1) return Obstacle::SingleByteString;
  if (UnitAt(value.data, value.data.size() / 2 - 1) != 0) return Obstacle::TerminatorAdded;
  return Obstacle::None;
}

std::optional<Unrestorable> FindIn(const std::wstring& path, const KeyTree& tree) {
  if (BreaksLine(path)) return Unrestorable{Obstacle::NameBreaksLine, 0, path, {}};
  for (const RawValue& value : tree.values)
    if (const Obstacle obstacle = ObstacleOf(value); obstacle != Obstacle::None)
      return Unrestorable{obstacle, 0, path, value.name};
  for (const KeyTree& subKey : tree.subKeys)
    if (auto found = FindIn(path + L'\\' + subKey.name, subKey)) return found;
  return std::nullopt;
}

void AppendSections(std::vector<Section>& sections, const std::wstring& path, const KeyTree& tree) {
  sections.push_back(Section{path, tree.values});
  for (const KeyTree& subKey : tree.subKeys)
    AppendSections(sections, path + L'\\' + subKey.name, subKey);
}

void AppendHexByte(std::u16string& out, uint8_t byte) {
  out.push_back(kHexDigits[byte >> 4]);
  out.push_back(kHexDigits[byte & 0xF]);
}

void AppendHexNumber(std::u16string& out, uint32_t number, int minimumDigits) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), kHexDigits[number & 0xF]);
    number >>= 4;
  } while (number != 0);
  if (static_cast<int>(digits.size()) < minimumDigits)
    digits.insert(0, minimumDigits - digits.size(), u'0');
  out += digits;
}

void AppendQuotedData(std::u16string& out, const std::vector<uint8_t>& data) {
  out.push_back(u'"');
  for (size_t index = 0; index + 1 < data.size() / 2; ++index) {
    const char16_t unit = UnitAt(data, index);
    if (unit == u'\\' || unit == u'"') out.push_back(u'\\');
    out.push_back(unit);
  }
  out.push_back(u'"');
}

void AppendDword(std::u16string& out, const std::vector<uint8_t>& data) {
  const uint32_t number =
      data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint32_t>(data[3]) << 24);
  out += u"dword:";
  AppendHexNumber(out, number, 8);
}

// `lineStart` is where the value's line begins in `out`: the editor counts the name in.
void AppendHexData(std::u16string& out, size_t lineStart, const RawValue& value) {
  if (value.type == Registry::kTypeBinary) {
    out += u"hex:";
  } else {
    out += u"hex(";
    AppendHexNumber(out, value.type, 1);
    out += u"):";
  }
  for (size_t index = 0; index < value.data.size(); ++index) {
    AppendHexByte(out, value.data[index]);
    if (index + 1 == value.data.size()) break;
    out.push_back(u',');
    if (out.size() - lineStart >= kHexLineLimit) {
      out += u"\\";
      out += kLineEnd;
      lineStart = out.size();
      out += kHexIndent;
    }
  }
}

void AppendValue(std::u16string& out, const RawValue& value) {
  const size_t lineStart = out.size();
  if (value.name.empty()) {
    out += u"@=";
  } else {
    out.push_back(u'"');
    AppendEscaped(out, value.name);
    out += u"\"=";
  }
  if (FitsQuotedString(value))
    AppendQuotedData(out, value.data);
  else if (FitsDword(value))
    AppendDword(out, value.data);
  else
    AppendHexData(out, lineStart, value);
  out += kLineEnd;
}

// Hands out the text line by line; every line must end in CRLF and hold no other line break.
class LineReader {
 public:
  explicit LineReader(std::u16string_view text) : text_(text) {}

  std::optional<std::u16string_view> Next() {
    const size_t end = text_.find(kLineEnd, at_);
    if (end == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view line = text_.substr(at_, end - at_);
    at_ = end + kLineEnd.size();
    for (const char16_t unit : line)
      if (IsLineBreak(unit)) return std::nullopt;
    return line;
  }

  bool AtEnd() const { return at_ == text_.size(); }

 private:
  std::u16string_view text_;
  size_t at_ = 0;
};

int HexDigitValue(char16_t unit) {
  if (unit >= u'0' && unit <= u'9') return unit - u'0';
  if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
  if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
  return -1;
}

// A number of 1 to `maxDigits` hex digits that makes up all of `digits`.
std::optional<uint32_t> HexNumber(std::u16string_view digits, size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  uint32_t number = 0;
  for (const char16_t unit : digits) {
    const int digit = HexDigitValue(unit);
    if (digit < 0) return std::nullopt;
    number = (number << 4) | static_cast<uint32_t>(digit);
  }
  return number;
}

// The quoted text starting at line[at] (the opening quote); `at` ends after the closing quote.
std::optional<std::u16string> Unquote(std::u16string_view line, size_t& at) {
  if (at >= line.size() || line[at] != u'"') return std::nullopt;
  std::u16string text;
  for (++at; at < line.size(); ++at) {
    char16_t unit = line[at];
    if (unit == u'"') {
      ++at;
      return text;
    }
    if (unit == u'\\') {
      if (++at == line.size()) return std::nullopt;
      unit = line[at];
      if (unit != u'\\' && unit != u'"') return std::nullopt;
    }
    text.push_back(unit);
  }
  return std::nullopt;
}

// "xx,xx,...,xx" on this line, continued on the next after ",\" and two blanks.
bool ParseHexList(std::u16string_view list, LineReader& lines, std::vector<uint8_t>& bytes) {
  if (list.empty()) return true;
  for (size_t at = 0;;) {
    if (at + 2 > list.size()) return false;
    const std::optional<uint32_t> byte = HexNumber(list.substr(at, 2), 2);
    if (!byte) return false;
    bytes.push_back(static_cast<uint8_t>(*byte));
    at += 2;
    if (at == list.size()) return true;
    if (list[at] != u',' || ++at == list.size()) return false;
    if (list.substr(at) != u"\\") continue;
    const std::optional<std::u16string_view> next = lines.Next();
    if (!next || next->substr(0, kHexIndent.size()) != kHexIndent) return false;
    list = next->substr(kHexIndent.size());
    at = 0;
  }
}

bool ParseData(std::u16string_view data, LineReader& lines, RawValue& value) {
  if (!data.empty() && data.front() == u'"') {
    size_t at = 0;
    const std::optional<std::u16string> text = Unquote(data, at);
    if (!text || at != data.size()) return false;
    value = Registry::TextValue(std::move(value.name), WideOf(*text));
    return true;
  }
  if (data.substr(0, 6) == u"dword:") {
    const std::optional<uint32_t> number = HexNumber(data.substr(6), 8);
    if (!number || data.size() != 14) return false;
    value.type = Registry::kTypeDword;
    for (int shift = 0; shift < 32; shift += 8)
      value.data.push_back(static_cast<uint8_t>(*number >> shift));
    return true;
  }
  if (data.substr(0, 4) == u"hex:") {
    value.type = Registry::kTypeBinary;
    return ParseHexList(data.substr(4), lines, value.data);
  }
  if (data.substr(0, 4) != u"hex(") return false;
  const size_t close = data.find(u"):");
  if (close == std::u16string_view::npos) return false;
  const std::optional<uint32_t> type = HexNumber(data.substr(4, close - 4), 8);
  if (!type) return false;
  value.type = *type;
  return ParseHexList(data.substr(close + 2), lines, value.data);
}

std::optional<RawValue> ParseValue(std::u16string_view line, LineReader& lines) {
  RawValue value;
  size_t at = 0;
  if (line.substr(0, 2) == u"@=") {
    at = 2;
  } else {
    const std::optional<std::u16string> name = Unquote(line, at);
    if (!name || name->empty() || at >= line.size() || line[at] != u'=') return std::nullopt;
    value.name = WideOf(*name);
    ++at;
  }
  if (!ParseData(line.substr(at), lines, value)) return std::nullopt;
  return value;
}

std::optional<Section> ParseSection(std::u16string_view keyLine, LineReader& lines) {
  if (keyLine.size() < 3 || keyLine.front() != u'[' || keyLine.back() != u']') return std::nullopt;
  Section section{WideOf(keyLine.substr(1, keyLine.size() - 2)), {}};
  for (;;) {
    const std::optional<std::u16string_view> line = lines.Next();
    if (!line) return std::nullopt;
    if (line->empty()) return section;  // the blank line that ends every section
    std::optional<RawValue> value = ParseValue(*line, lines);
    if (!value) return std::nullopt;
    section.values.push_back(std::move(*value));
  }
}

}  // namespace

std::vector<Section> Sections(const std::vector<Entry>& entries) {
  std::vector<Section> sections;
  for (const Entry& entry : entries) AppendSections(sections, entry.path, entry.tree);
  return sections;
}

std::optional<Unrestorable> FindUnrestorable(const std::vector<Entry>& entries) {
  for (size_t index = 0; index < entries.size(); ++index) {
    if (std::optional<Unrestorable> found = FindIn(entries[index].path, entries[index].tree)) {
      found->entry = index;
      return found;
    }
  }
  return std::nullopt;
}

std::u16string Text(const std::vector<Entry>& entries) {
  std::u16string out(kHeader);
  out += kLineEnd;
  for (const Section& section : Sections(entries)) {
    out += kLineEnd;
    out.push_back(u'[');
    AppendUtf16(out, section.path);
    out.push_back(u']');
    out += kLineEnd;
    for (const RawValue& value : section.values) AppendValue(out, value);
  }
  out += kLineEnd;
  return out;
}

std::optional<std::vector<Section>> Parse(std::u16string_view text) {
  LineReader lines(text);
  const std::optional<std::u16string_view> header = lines.Next();
  if (!header || *header != kHeader) return std::nullopt;
  const std::optional<std::u16string_view> blank = lines.Next();
  if (!blank || !blank->empty()) return std::nullopt;
  std::vector<Section> sections;
  while (!lines.AtEnd()) {
    const std::optional<std::u16string_view> keyLine = lines.Next();
    if (!keyLine) return std::nullopt;
    std::optional<Section> section = ParseSection(*keyLine, lines);
    if (!section) return std::nullopt;
    sections.push_back(std::move(*section));
  }
  return sections;
}

std::vector<uint8_t> FileBytes(std::u16string_view text) {
  std::vector<uint8_t> bytes{0xFF, 0xFE};
  bytes.reserve(2 + text.size() * 2);
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return bytes;
}

std::optional<std::u16string> TextOfFile(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE || bytes.size() % 2 != 0)
    return std::nullopt;
  std::u16string text;
  text.reserve(bytes.size() / 2 - 1);
  for (size_t at = 2; at < bytes.size(); at += 2)
    text.push_back(static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8)));
  return text;
}

}  // namespace RegFile
