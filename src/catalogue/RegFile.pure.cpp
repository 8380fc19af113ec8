#include "catalogue/RegFile.h"

#include "catalogue/RegFileReader.h"

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

std::u16string TextOf(const std::vector<Section>& sections) {
  std::u16string out(kHeader);
  out += kLineEnd;
  for (const Section& section : sections) {
    out += kLineEnd;
    out += section.removal ? u"[-" : u"[";
    AppendUtf16(out, section.path);
    out.push_back(u']');
    out += kLineEnd;
    for (const RawValue& value : section.values) AppendValue(out, value);
  }
  out += kLineEnd;
  return out;
}

}  // namespace

std::vector<Section> Sections(const std::vector<Entry>& entries) {
  std::vector<Section> sections;
  for (const Entry& entry : entries) {
    if (entry.import != Import::Add) sections.push_back(Section{entry.path, {}, true});
    if (entry.import != Import::Remove) AppendSections(sections, entry.path, entry.tree);
  }
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

std::u16string Text(const std::vector<Entry>& entries) { return TextOf(Sections(entries)); }

std::optional<std::vector<Section>> Parse(std::u16string_view text) {
  Reading reading = ReadText(text, false);
  if (reading.problem != ReadProblem::None || TextOf(reading.sections) != text) return std::nullopt;
  return std::move(reading.sections);
}

std::u16string Utf16Of(std::wstring_view text) {
  std::u16string out;
  AppendUtf16(out, text);
  return out;
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
