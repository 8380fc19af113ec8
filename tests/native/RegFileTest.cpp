// What the registry editor itself cannot show: how the writer treats damaged text, the values
// it never brings back, and wchar_t wider than a UTF-16 unit. The file format as such is checked
// against Wine's regedit.exe in tests/catalogue.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "catalogue/RegFile.h"

using Registry::KeyTree;
using Registry::RawValue;

namespace {
const std::wstring kKey = L"HKEY_LOCAL_MACHINE\\Software\\App Paths\\A.EXE";
}  // namespace

// A file cut off or altered anywhere must never check out as the whole undo.
TEST(RegFile, ParseNeverAcceptsADamagedTextAsTheOriginal) {
  const std::vector<RegFile::Entry> entries = {
      {kKey,
       {L"A.EXE",
        {Registry::TextValue(L"", L"x"), RawValue{L"d", 4, {1, 2, 3, 4}},
         RawValue{L"b\\\"", 3, std::vector<uint8_t>(60, 1)}},
        {KeyTree{L"S", {Registry::TextValue(L"v", L"y")}, {}}}}}};
  const std::u16string text = RegFile::Text(entries);
  const auto whole = RegFile::Sections(entries);
  ASSERT_EQ(RegFile::Parse(text), whole);
  for (size_t length = 0; length < text.size(); ++length)
    EXPECT_NE(RegFile::Parse(text.substr(0, length)), whole) << length;
  for (const auto& [from, to] :
       std::vector<std::pair<std::u16string, std::u16string>>{{u"\r\n", u"\n"},
                                                              {u"dword", u"dwort"},
                                                              {u"\"v\"", u"\"v"},
                                                              {u",01,", u",1,"},
                                                              {u"\\\\\\\"", u"\\\""},
                                                              {u"5.00", u"5.0"},
                                                              {u"[", u""}}) {
    std::u16string damaged = text;
    const size_t at = damaged.rfind(from);
    ASSERT_NE(at, std::u16string::npos);
    damaged.replace(at, from.size(), to);
    EXPECT_NE(RegFile::Parse(damaged), whole);
  }
}

// Wine's editor crashes on a single byte of string data, and a name with a line break cannot be
// written at all, so only this test can show them refused.
TEST(RegFile, NamesTheKeyAndValueTheEditorWouldNotRestore) {
  using RegFile::Obstacle;
  const struct {
    std::wstring subKey;
    RawValue value;
    Obstacle obstacle;
    std::wstring valueNamed;
  } cases[] = {
      {L"S", {L"u", 7, {0}}, Obstacle::SingleByteString, L"u"},
      {L"S", {std::wstring(L"a\0b", 3), 3, {}}, Obstacle::NameBreaksLine, std::wstring(L"a\0b", 3)},
      {L"S\n", {L"u", 3, {}}, Obstacle::NameBreaksLine, L""},
  };
  for (const auto& c : cases) {
    const auto found = RegFile::FindUnrestorable(
        {RegFile::Entry{L"HKEY_CURRENT_USER\\ok", {L"ok", {RawValue{L"u", 3, {0x41}}}, {}}},
         RegFile::Entry{kKey, KeyTree{L"A.EXE", {}, {KeyTree{c.subKey, {c.value}, {}}}}}});
    ASSERT_TRUE(found);
    EXPECT_EQ(found->obstacle, c.obstacle);
    EXPECT_EQ(found->entry, 1u);
    EXPECT_EQ(found->keyPath, kKey + L"\\" + c.subKey);
    EXPECT_EQ(found->valueName, c.valueNamed);
  }
}

// Natively wchar_t holds whole code points; the file holds UTF-16 units all the same.
TEST(RegFile, CharactersBeyondTheFirstPlaneBecomeSurrogatePairs) {
  if (sizeof(wchar_t) == 2) GTEST_SKIP() << "wchar_t is a UTF-16 unit here";
  const std::wstring name(1, static_cast<wchar_t>(0x1F600));
  const std::u16string text =
      RegFile::Text({{kKey, {L"A.EXE", {Registry::TextValue(name, L"x")}, {}}}});
  EXPECT_NE(text.find(u"\"\xD83D\xDE00\"=\"x\""), std::u16string::npos);
  const auto parsed = RegFile::Parse(text);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->at(0).values.at(0).name, (std::wstring{0xD83D, 0xDE00}));
}
