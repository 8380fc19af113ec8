#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/RegFile.h"

using Registry::KeyTree;
using Registry::RawValue;

namespace {

const std::wstring kKey = L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\A.EXE";

RawValue Bytes(std::wstring name, uint32_t type, std::vector<uint8_t> data) {
  return RawValue{std::move(name), type, std::move(data)};
}

std::vector<RegFile::Entry> OneKey(std::vector<RawValue> values,
                                   std::vector<KeyTree> subKeys = {}) {
  return {RegFile::Entry{kKey, KeyTree{L"A.EXE", std::move(values), std::move(subKeys)}}};
}

// The lines of a text without their CRLF.
std::vector<std::u16string> Lines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  for (size_t at = 0, end; (end = text.find(u"\r\n", at)) != std::u16string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  return lines;
}

}  // namespace

// The forms the registry editor itself writes; only exact REG_SZ text may go in quotes.
TEST(RegFile, EachValueTakesTheEditorsFormAndOnlyExactTextIsQuoted) {
  const struct {
    RawValue value;
    std::u16string line;
  } cases[] = {
      {Registry::TextValue(L"", L"C:\\a \"b\".exe"), u"@=\"C:\\\\a \\\"b\\\".exe\""},
      {Registry::TextValue(L"x=\"y\"\\", L""), u"\"x=\\\"y\\\"\\\\\"=\"\""},
      {Registry::TextValue(L"E", L"%A%", Registry::kTypeExpandString),
       u"\"E\"=hex(2):25,00,41,00,25,00,00,00"},
      {Bytes(L"S", Registry::kTypeString, {0x41, 0, 0x42, 0}), u"\"S\"=hex(1):41,00,42,00"},
      {Bytes(L"S", Registry::kTypeString, {0x41, 0, 0, 0, 0x42, 0, 0, 0}),
       u"\"S\"=hex(1):41,00,00,00,42,00,00,00"},
      {Bytes(L"S", Registry::kTypeString, {0x41, 0, 0x0A, 0, 0, 0}),
       u"\"S\"=hex(1):41,00,0a,00,00,00"},
      {Bytes(L"S", Registry::kTypeString, {}), u"\"S\"=hex(1):"},
      {Bytes(L"D", Registry::kTypeDword, {0x78, 0x56, 0x34, 0x12}), u"\"D\"=dword:12345678"},
      {Bytes(L"D", Registry::kTypeDword, {1, 2}), u"\"D\"=hex(4):01,02"},
      {Bytes(L"Q", Registry::kTypeQword, {1, 0, 0, 0, 0, 0, 0, 0xFF}),
       u"\"Q\"=hex(b):01,00,00,00,00,00,00,ff"},
      {Bytes(L"N", Registry::kTypeNone, {}), u"\"N\"=hex(0):"},
      {Bytes(L"B", Registry::kTypeBinary, {}), u"\"B\"=hex:"},
      {Bytes(L"T", 0x20000, {0xAB}), u"\"T\"=hex(20000):ab"},
  };
  for (const auto& c : cases) {
    const std::vector<std::u16string> lines = Lines(RegFile::Text(OneKey({c.value})));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], u"Windows Registry Editor Version 5.00");
    EXPECT_EQ(lines[2], u"[" + std::u16string(kKey.begin(), kKey.end()) + u"]");
    EXPECT_EQ(lines[3], c.line) << std::string(lines[3].begin(), lines[3].end());
  }
}

TEST(RegFile, HexListsWrapLikeTheEditorsAndParseBackForEveryNameLength) {
  std::vector<uint8_t> data(300);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);
  for (size_t nameLength = 0; nameLength < 80; ++nameLength) {
    const auto entries = OneKey({Bytes(std::wstring(nameLength, L'n'), 3, data)});
    const std::vector<std::u16string> lines = Lines(RegFile::Text(entries));
    ASSERT_GT(lines.size(), 5u);
    for (size_t i = 3; i + 1 < lines.size(); ++i) {
      const std::u16string& line = lines[i];
      const size_t listStart = i == 3 ? line.find(u"hex:") + 4 : 2;
      if (i > 3) {
        EXPECT_EQ(line.substr(0, 2), u"  ");
      }
      if (line.back() != u'\\') continue;
      // A list line ends at the first comma that takes it to 77 characters or more.
      const size_t beforeBackslash = line.size() - 1;
      EXPECT_GE(beforeBackslash, 77u) << nameLength;
      EXPECT_TRUE(beforeBackslash - 3 < 77 || beforeBackslash - 3 == listStart) << nameLength;
    }
    EXPECT_EQ(RegFile::Parse(RegFile::Text(entries)), RegFile::Sections(entries));
  }
}

TEST(RegFile, EveryKindAndSubKeyParsesBackAsWritten) {
  const KeyTree deeper{L"Tief", {Registry::TextValue(L"", L"unten")}, {}};
  const KeyTree sub{L"Sub]Key [x]", {Bytes(L"Q", 11, {1, 2, 3, 4, 5, 6, 7, 8})}, {deeper}};
  const auto entries = OneKey(
      {Registry::TextValue(L"", L"\"C:\\Program Files\\Ü\\日本語.exe\" /n"),
       Registry::TextValue(L"Path", L"%ProgramFiles%\\x", Registry::kTypeExpandString),
       Bytes(L"Liste", Registry::kTypeMultiString, {0x61, 0, 0, 0, 0x62, 0, 0, 0, 0, 0}),
       Bytes(L"odd", 1, {0x41, 0, 0, 0, 0x43}), Bytes(L"bin", 3, {}), Bytes(L"none", 0, {7})},
      {sub, KeyTree{L"Leer", {}, {}}});
  const auto parsed = RegFile::Parse(RegFile::Text(entries));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(*parsed, RegFile::Sections(entries));
  ASSERT_EQ(parsed->size(), 4u);
  EXPECT_EQ((*parsed)[2].path, kKey + L"\\Sub]Key [x]\\Tief");
  EXPECT_EQ((*parsed)[3].path, kKey + L"\\Leer");
}

// A file cut off or altered anywhere must never check out as the whole undo.
TEST(RegFile, ParseNeverAcceptsADamagedTextAsTheOriginal) {
  const auto entries = OneKey({Registry::TextValue(L"", L"x"), Bytes(L"d", 4, {1, 2, 3, 4}),
                               Bytes(L"b", 3, std::vector<uint8_t>(60, 1))},
                              {KeyTree{L"S", {Registry::TextValue(L"v", L"y")}, {}}});
  const std::u16string text = RegFile::Text(entries);
  const auto whole = RegFile::Sections(entries);
  for (size_t length = 0; length < text.size(); ++length)
    EXPECT_NE(RegFile::Parse(text.substr(0, length)), whole) << length;
  std::u16string bareLineEnds = text;
  for (size_t at; (at = bareLineEnds.find(u"\r\n")) != std::u16string::npos;)
    bareLineEnds.erase(at, 1);
  EXPECT_FALSE(RegFile::Parse(bareLineEnds));
  for (const auto& [from, to] : {std::pair<std::u16string, std::u16string>{u"dword", u"dwort"},
                                 {u"\"v\"", u"\"v"}, {u",01,", u",1,"}, {u"5.00", u"5.0"}}) {
    std::u16string damaged = text;
    const size_t at = damaged.find(from);
    ASSERT_NE(at, std::u16string::npos);
    damaged.replace(at, from.size(), to);
    EXPECT_NE(RegFile::Parse(damaged), whole);
  }
}

TEST(RegFile, FindsWhatTheEditorWouldNotRestoreExactly) {
  using RegFile::Obstacle;
  const struct {
    RawValue value;
    Obstacle obstacle;
  } cases[] = {
      {Bytes(L"u", 1, {0x41, 0, 0x42, 0}), Obstacle::TerminatorAdded},
      {Bytes(L"u", 2, {0x25, 0}), Obstacle::TerminatorAdded},
      {Bytes(L"u", 7, {0x41, 0, 0, 0, 0x42, 0}), Obstacle::TerminatorAdded},
      {Bytes(L"u", 1, {0x41, 0, 0x42}), Obstacle::TerminatorAdded},
      {Bytes(L"u", 1, {0x41}), Obstacle::SingleByteString},
      {Bytes(L"u", 7, {0}), Obstacle::SingleByteString},
      {Bytes(L"a\nb", 3, {}), Obstacle::NameBreaksLine},
      {Bytes(L"u", 1, {0x41, 0, 0, 0, 0x42}), Obstacle::None},
      {Bytes(L"u", 1, {}), Obstacle::None},
      {Bytes(L"u", 1, {0x0A, 0, 0, 0}), Obstacle::None},
      {Bytes(L"u", 3, {0x41}), Obstacle::None},
      {Bytes(L"u", 11, {1, 2, 3}), Obstacle::None},
  };
  for (const auto& c : cases) {
    const auto found = RegFile::FindUnrestorable(
        {RegFile::Entry{L"HKEY_CURRENT_USER\\ok", {}},
         RegFile::Entry{kKey, KeyTree{L"A.EXE", {}, {KeyTree{L"S", {c.value}, {}}}}}});
    EXPECT_EQ(found ? found->obstacle : Obstacle::None, c.obstacle);
    if (!found) continue;
    EXPECT_EQ(found->entry, 1u);
    EXPECT_EQ(found->keyPath, kKey + L"\\S");
    EXPECT_EQ(found->valueName, c.value.name);
  }
  const auto brokenKey = RegFile::FindUnrestorable({RegFile::Entry{kKey + L"\r", {}}});
  ASSERT_TRUE(brokenKey);
  EXPECT_EQ(brokenKey->obstacle, Obstacle::NameBreaksLine);
}

TEST(RegFile, FileBytesAreUtf16LittleEndianWithByteOrderMark) {
  const std::u16string text = u"A\u00DC\u65E5\r\n";
  const std::vector<uint8_t> bytes = RegFile::FileBytes(text);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0xFF, 0xFE, 0x41, 0, 0xDC, 0, 0xE5, 0x65, 0x0D, 0, 0x0A, 0}));
  EXPECT_EQ(RegFile::TextOfFile(bytes), text);
  EXPECT_FALSE(RegFile::TextOfFile({0xFE, 0xFF, 0x41, 0}));
  EXPECT_FALSE(RegFile::TextOfFile({0xFF, 0xFE, 0x41}));
}
