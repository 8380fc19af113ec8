// Registration files as others write them (both encodings, every value form, continued hex
// lists, comments, removals) read into what they say both App Paths keys hold; and the files
// the reader must refuse, with the line it names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/AppPathsFile.h"

using RegFile::ReadProblem;
using Registry::KeyTree;
using Registry::RawValue;

namespace {

const std::u16string kHeader = u"Windows Registry Editor Version 5.00\r\n\r\n";
const std::u16string kKey =
    u"[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\A.EXE]\r\n";

std::vector<uint8_t> Unicode(const std::u16string& text) { return RegFile::FileBytes(text); }
std::vector<uint8_t> Ansi(const std::string& text) { return {text.begin(), text.end()}; }

RawValue Raw(std::wstring name, uint32_t type, std::vector<uint8_t> data) {
  return RawValue{std::move(name), type, std::move(data)};
}

}  // namespace

TEST(RegFileReader, ReadsEveryValueFormAndAppliesTheFileInOrderAsAnImportWould) {
  const std::u16string text =
      kHeader +
      u"; by hand, keys and names in any letter case\r\n"
      u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tool.exe]\r\n"
      u"@=\"C:\\\\Tools\\\\tool.exe\"\r\n"
      u"  \"Say \\\"hi\\\"\" = \"a\\\"b\\nc\"  ; comment\r\n"
      u"\"d\"=dword:1\r\n"
      u"\"b\"=hex:01, 2,\\\r\n"
      u"    ; a comment inside the list\r\n"
      u"\r\n"
      u"\t  03 ; last\n"
      u"\"none\"=hex(0):\r"
      u"\"exp\"=hex(2):25,00,41,00,00,00\r\n"
      u"\"multi\"=hex(7):\\\r\n"
      u"  61,00,00,00,00,00\r\n"
      u"\"q\"=hex(b):01,00,00,00,00,00,00,ff\r\n"
      u"\"odd\"=hex(1234):ff\r\n\r\n"
      u"[hkey_local_machine\\software\\microsoft\\windows\\currentversion\\app "
      u"paths\\TOOL.EXE\\Sub]\r\n"
      u"[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TOOL.exe]\r\n"
      u"\"D\"=dword:0000002A\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Old.exe]\r\n"
      u"@=\"gone\"\r\n"
      u"[-HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\OLD.EXE]\r\n";
  const AppPathsReading reading = ReadAppPathsFile(Unicode(text));
  ASSERT_EQ(reading.problem, ReadProblem::None) << reading.line;
  const KeyTree tool{
      L"Tool.exe",
      {Registry::TextValue(L"", L"C:\\Tools\\tool.exe"),
       Registry::TextValue(L"Say \"hi\"", L"a\"b\nc"), Raw(L"d", 4, {0x2A, 0, 0, 0}),
       Raw(L"b", 3, {1, 2, 3}), Raw(L"none", 0, {}), Raw(L"exp", 2, {0x25, 0, 0x41, 0, 0, 0}),
       Raw(L"multi", 7, {0x61, 0, 0, 0, 0, 0}), Raw(L"q", 11, {1, 0, 0, 0, 0, 0, 0, 0xFF}),
       Raw(L"odd", 0x1234, {0xFF})},
      {KeyTree{L"Sub", {}, {}}}};
  EXPECT_EQ(reading.keys.machine, (KeyTree{L"App Paths", {}, {tool}}));
  EXPECT_EQ(reading.keys.user, (KeyTree{L"App Paths", {}, {}}));  // held, and empty
}

// REGEDIT4 files are ANSI text; hex data of string types holds ANSI bytes, which the registry
// gets as UTF-16.
TEST(RegFileReader, ReadsAnsiFilesOfTheOlderEditor) {
  const AppPathsReading reading = ReadAppPathsFile(Ansi(
      "REGEDIT4\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\\xE4.exe]\r\n"
      "@=\"C:\\\\\xE4.exe\"\r\n"
      "\"Path\"=hex(2):25,e4,00\r\n"
      "\"Bytes\"=hex:e4\r\n"));
  ASSERT_EQ(reading.problem, ReadProblem::None) << reading.line;
  EXPECT_FALSE(reading.keys.machine);
  EXPECT_EQ(reading.keys.user,
            (KeyTree{L"App Paths",
                     {},
                     {KeyTree{L"\u00E4.exe",
                              {Registry::TextValue(L"", L"C:\\\u00E4.exe"),
                               Raw(L"Path", 2, {0x25, 0, 0xE4, 0, 0, 0}), Raw(L"Bytes", 3, {0xE4})},
                              {}}}}));
}

TEST(RegFileReader, RefusesWhatItCannotReadWholeOrWhatLiesOutsideAppPathsAndNamesTheLine) {
  const std::u16string head = kHeader + kKey;  // lines 1 to 3
  const std::u16string appPaths =
      u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
  std::vector<uint8_t> halfUnit = Unicode(head + u"@=\"x\"\r\n");
  halfUnit.push_back(0x41);
  const struct {
    std::vector<uint8_t> file;
    ReadProblem problem;
    size_t line;
  } cases[] = {
      {{}, ReadProblem::NoHeader, 1},
      {Unicode(u"REGEDIT\r\n"), ReadProblem::NoHeader, 1},
      {Ansi("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"), ReadProblem::NoHeader, 1},
      {Unicode(kHeader + u"@=\"x\"\r\n"), ReadProblem::ValueOutsideKey, 3},
      {Unicode(head + u"[-" + appPaths + u"\\A.EXE]\r\n\"x\"=\"\"\r\n"),
       ReadProblem::ValueOutsideKey, 5},
      {Unicode(kHeader + u"[HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\A]"),
       ReadProblem::KeyOutsideAppPaths, 3},
      {Unicode(head + u"[HKEY_LOCAL_MACHINE\\Software\\Microsoft]\r\n"),
       ReadProblem::KeyOutsideAppPaths, 4},
      {Unicode(head + u"[HKEY_CLASSES_ROOT\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
                      u"Paths\\A.EXE]\r\n"),
       ReadProblem::KeyOutsideAppPaths, 4},
      {Unicode(head + u"[" + appPaths + u"\\A.EXE\\\\Sub]\r\n"), ReadProblem::BadKeyName, 4},
      {Unicode(head + u"[" + appPaths + u"\\A.EXE\r\n"), ReadProblem::BadKeyLine, 4},
      {Unicode(head + u"Path=\"x\"\r\n"), ReadProblem::UnknownLine, 4},
      {Unicode(head + u"\"Path\" \"x\"\r\n"), ReadProblem::BadValueName, 4},
      {Unicode(head + u"\"Pa\\th\"=\"x\"\r\n"), ReadProblem::BadValueName, 4},
      {Unicode(head + u"\"Path\"=-\r\n"), ReadProblem::ValueRemoval, 4},
      {Unicode(head + u"\"Path\"=str(2):\"x\"\r\n"), ReadProblem::UnknownDataType, 4},
      {Unicode(head + u"\"Path\"=hex(2)01\r\n"), ReadProblem::UnknownDataType, 4},
      {Unicode(head + u"\"Path\"=\"C:\\\\Prog\r\n"), ReadProblem::BadData, 4},
      {Unicode(head + u"\"Path\"=\"a\\tb\"\r\n"), ReadProblem::BadData, 4},
      {Unicode(head + u"\"d\"=dword:123456789\r\n"), ReadProblem::BadData, 4},
      {Unicode(head + u"\"d\"=dword:\r\n"), ReadProblem::BadData, 4},
      {Unicode(head + u"\"b\"=hex:1,234\r\n"), ReadProblem::BadData, 4},
      {Unicode(head + u"\"b\"=hex:01,02\\\r\n  03\r\n"), ReadProblem::BadData, 4},
      {Unicode(head + u"\"b\"=hex:01,02,\\\r\n  03,\\\r\n\r\n"), ReadProblem::HexCutOff, 6},
      {Unicode(head + u"\"b\"=hex:01,\\\r\n" + kKey), ReadProblem::HexCutOff, 5},
      {halfUnit, ReadProblem::HalfUnit, 4},
  };
  for (const auto& c : cases) {
    const AppPathsReading reading = ReadAppPathsFile(c.file);
    EXPECT_EQ(reading.problem, c.problem) << "line " << c.line;
    EXPECT_EQ(reading.line, c.line);
    EXPECT_FALSE(reading.keys.machine || reading.keys.user);
  }
}
