#include "catalogue/RegFileReader.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/Text.h"

namespace RegFile {
namespace {

using Registry::RawValue;

bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

std::u16string_view TrimLeft(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::u16string_view TrimRight(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Blanks, perhaps followed by a comment, and nothing else.
bool NothingMore(std::u16string_view rest) {
  rest = TrimLeft(rest);
  return rest.empty() || rest.front() == u';';
}

int HexDigit(char16_t unit) {
  if (unit >= u'0' && unit <= u'9') return unit - u'0';
  if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
  if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
  return -1;
}

// The number that 1 to `maxDigits` hex digits at the start of `text` make; `used` counts them.
std::optional<uint32_t> LeadingHex(std::u16string_view text, size_t maxDigits, size_t& used) {
  uint32_t number = 0;
  for (used = 0; used < text.size() && HexDigit(text[used]) >= 0; ++used) {
    if (used == maxDigits) return std::nullopt;
    number = (number << 4) | static_cast<uint32_t>(HexDigit(text[used]));
  }
  if (used == 0) return std::nullopt;
  return number;
}

// Units stay units: a surrogate pair read back is two wchar_t, as the registry gives them.
std::wstring WideOf(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::vector<uint8_t> BytesOf(std::u16string_view units) {
  std::vector<uint8_t> bytes;
  for (const char16_t unit : units) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return bytes;
}

std::u16string TextOfAnsi(std::string_view bytes) { return Utf16Of(FromAnsi(bytes)); }

bool IsStringType(uint32_t type) {
  return type == Registry::kTypeString || type == Registry::kTypeExpandString ||
         type == Registry::kTypeMultiString;
}

// The quoted text at the start of `text`, escapes resolved; `at` ends after the closing quote.
// The editors write \\ and \" (Wine's also \n and \r); any other escape is not read as a guess.
std::optional<std::u16string> Unquote(std::u16string_view text, size_t& at) {
  std::u16string out;
  for (at = 1; at < text.size(); ++at) {
    char16_t unit = text[at];
    if (unit == u'"') {
      ++at;
      return out;
    }
    if (unit == u'\\') {
      if (++at == text.size()) return std::nullopt;
      unit = text[at];
      if (unit == u'n')
        unit = u'\n';
      else if (unit == u'r')
        unit = u'\r';
      else if (unit != u'\\' && unit != u'"')
        return std::nullopt;
    }
    out.push_back(unit);
  }
  return std::nullopt;
}

// Lines end at CR, LF or CRLF; they are counted from 1.
class Lines {
 public:
  explicit Lines(std::u16string_view text) : text_(text) {}

  bool Next(std::u16string_view& line) {
    if (at_ >= text_.size()) return false;
    const size_t end = std::min(text_.find_first_of(u"\r\n", at_), text_.size());
    line = text_.substr(at_, end - at_);
    at_ = end + 1;
    if (end < text_.size() && text_[end] == u'\r' && at_ < text_.size() && text_[at_] == u'\n')
      ++at_;
    ++number_;
    return true;
  }

  size_t Number() const { return number_; }

 private:
  std::u16string_view text_;
  size_t at_ = 0;
  size_t number_ = 0;
};

class Reader {
 public:
  Reader(std::u16string_view text, bool ansi) : lines_(text), ansi_(ansi) {}

  Reading Run() {
    std::u16string_view line;
    if (!lines_.Next(line) || !IsHeader(line)) {
      Fail(ReadProblem::NoHeader);
    } else {
      while (lines_.Next(line))
        if (!Line(TrimLeft(line))) break;
    }
    if (reading_.problem != ReadProblem::None) reading_.sections.clear();
    return std::move(reading_);
  }

 private:
  static bool IsHeader(std::u16string_view line) {
    line = TrimLeft(line);
    return line == u"Windows Registry Editor Version 5.00" || line == u"REGEDIT4";
  }

  bool Fail(ReadProblem problem) {
    reading_.problem = problem;
    reading_.line = lines_.Number() == 0 ? 1 : lines_.Number();
    return false;
  }

  bool Line(std::u16string_view line) {
    if (line.empty() || line.front() == u';') return true;
    if (line.front() == u'[') return KeyLine(line.substr(1));
    if (line.front() == u'@' || line.front() == u'"') return ValueLine(line);
    return Fail(ReadProblem::UnknownLine);
  }

  // The editor takes the name up to the last "]" of the line.
  bool KeyLine(std::u16string_view body) {
    const size_t close = body.rfind(u']');
    if (close == std::u16string_view::npos || !NothingMore(body.substr(close + 1)))
      return Fail(ReadProblem::BadKeyLine);
    std::u16string_view name = body.substr(0, close);
    const bool removal = !name.empty() && name.front() == u'-';
    if (removal) name.remove_prefix(1);
    if (name.empty() || IsBlank(name.front())) return Fail(ReadProblem::BadKeyLine);
    reading_.sections.push_back(Section{WideOf(name), {}, removal, lines_.Number()});
    return true;
  }

  bool ValueLine(std::u16string_view line) {
    if (reading_.sections.empty() || reading_.sections.back().removal)
      return Fail(ReadProblem::ValueOutsideKey);
    RawValue value;
    size_t at = 1;
    if (line.front() == u'"') {
      const std::optional<std::u16string> name = Unquote(line, at);
      if (!name) return Fail(ReadProblem::BadValueName);
      value.name = WideOf(*name);
    }
    const std::u16string_view rest = TrimLeft(line.substr(at));
    if (rest.empty() || rest.front() != u'=') return Fail(ReadProblem::BadValueName);
    if (!Data(TrimRight(TrimLeft(rest.substr(1))), value)) return false;
    reading_.sections.back().values.push_back(std::move(value));
    return true;
  }

  bool Data(std::u16string_view data, RawValue& value) {
    if (data.substr(0, 1) == u"-" && NothingMore(data.substr(1)))
      return Fail(ReadProblem::ValueRemoval);
    if (data.substr(0, 1) == u"\"") return QuotedData(data, value);
    if (data.substr(0, 6) == u"dword:") return Dword(TrimLeft(data.substr(6)), value);
    if (data.substr(0, 4) == u"hex:") {
      value.type = Registry::kTypeBinary;
      return HexList(data.substr(4), value);
    }
    size_t digits = 0;
    const std::optional<uint32_t> type =
        data.substr(0, 4) == u"hex(" ? LeadingHex(data.substr(4), 8, digits) : std::nullopt;
    if (!type || data.substr(4 + digits, 2) != u"):") return Fail(ReadProblem::UnknownDataType);
    value.type = *type;
    return HexList(data.substr(6 + digits), value);
  }

  bool QuotedData(std::u16string_view data, RawValue& value) {
    size_t at = 0;
    const std::optional<std::u16string> text = Unquote(data, at);
    if (!text || !NothingMore(data.substr(at))) return Fail(ReadProblem::BadData);
    value = Registry::TextValue(std::move(value.name), WideOf(*text));
    return true;
  }

  bool Dword(std::u16string_view digits, RawValue& value) {
    size_t used = 0;
    const std::optional<uint32_t> number = LeadingHex(digits, 8, used);
    if (!number || !NothingMore(digits.substr(used))) return Fail(ReadProblem::BadData);
    value.type = Registry::kTypeDword;
    for (int shift = 0; shift < 32; shift += 8)
      value.data.push_back(static_cast<uint8_t>(*number >> shift));
    return true;
  }

  // Bytes of one or two digits between commas, blanks allowed around them. "\" after a comma
  // continues the list on the next line that is neither blank nor a comment.
  bool HexList(std::u16string_view list, RawValue& value) {
    for (size_t at = 0;;) {
      while (at < list.size() && IsBlank(list[at])) ++at;
      if (at == list.size() || list[at] == u';') break;
      if (list[at] == u'\\') {
        if (!NothingMore(list.substr(at + 1))) return Fail(ReadProblem::BadData);
        if (!ContinuedList(list)) return false;
        at = 0;
        continue;
      }
      size_t used = 0;
      const std::optional<uint32_t> byte = LeadingHex(list.substr(at), 2, used);
      if (!byte) return Fail(ReadProblem::BadData);
      value.data.push_back(static_cast<uint8_t>(*byte));
      at += used;
      while (at < list.size() && IsBlank(list[at])) ++at;
      if (at == list.size() || list[at] == u';') break;
      if (list[at++] != u',') return Fail(ReadProblem::BadData);
    }
    if (ansi_ && IsStringType(value.type)) {
      const std::string bytes(value.data.begin(), value.data.end());
      value.data = BytesOf(TextOfAnsi(bytes));
    }
    return true;
  }

  bool ContinuedList(std::u16string_view& list) {
    std::u16string_view line;
    while (lines_.Next(line)) {
      line = TrimLeft(line);
      if (line.empty() || line.front() == u';') continue;
      if (HexDigit(line.front()) < 0) return Fail(ReadProblem::HexCutOff);
      list = line;
      return true;
    }
    return Fail(ReadProblem::HexCutOff);
  }

  Lines lines_;
  bool ansi_;
  Reading reading_;
};

size_t LineCount(std::u16string_view text) {
  Lines lines(text);
  for (std::u16string_view line; lines.Next(line);) {
  }
  return lines.Number();
}

}  // namespace

Reading ReadText(std::u16string_view text, bool ansi) { return Reader(text, ansi).Run(); }

Reading ReadBytes(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE)
    return ReadText(TextOfAnsi(std::string(bytes.begin(), bytes.end())), true);
  std::u16string text;
  for (size_t at = 2; at + 1 < bytes.size(); at += 2)
    text.push_back(static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8)));
  Reading reading = ReadText(text, false);
  if (bytes.size() % 2 != 0 && reading.problem == ReadProblem::None)
    reading = Reading{{}, ReadProblem::HalfUnit, std::max<size_t>(LineCount(text), 1)};
  return reading;
}

}  // namespace RegFile
