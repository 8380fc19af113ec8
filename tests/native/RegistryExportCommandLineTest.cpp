#include <gtest/gtest.h>

#include "ui/RegistryExportCommandLine.h"

namespace {

constexpr wchar_t kEditor[] = L"C:\\windows\\regedit.exe";
constexpr wchar_t kKey[] =
    L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";

TEST(RegistryExportCommand, QuotesEachPartSoBlanksStayInside) {
  EXPECT_EQ(RegistryExportCommandLine(kEditor, L"C:\\Tools\\AppBackup.reg", kKey),
            L"\"C:\\windows\\regedit.exe\" /e \"C:\\Tools\\AppBackup.reg\" "
            L"\"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\"");
  EXPECT_EQ(RegistryExportCommandLine(L"C:\\Win dows\\regedit.exe", L"C:\\Mein Ordner\\Export.reg",
                                      L"HKEY_LOCAL_MACHINE\\x\\App Paths\\Winword.exe"),
            L"\"C:\\Win dows\\regedit.exe\" /e \"C:\\Mein Ordner\\Export.reg\" "
            L"\"HKEY_LOCAL_MACHINE\\x\\App Paths\\Winword.exe\"");
}

// "...\App Paths\" would otherwise end in \" and swallow the closing quote.
TEST(RegistryExportCommand, TrailingBackslashesCannotEscapeTheClosingQuote) {
  EXPECT_EQ(RegistryExportCommandLine(kEditor, L"C:\\a.reg", L"HKEY_LOCAL_MACHINE\\k\\"),
            L"\"C:\\windows\\regedit.exe\" /e \"C:\\a.reg\" \"HKEY_LOCAL_MACHINE\\k\\\\\"");
}

// A key name may hold a double quote; inside the command line it could close the argument and
// smuggle in switches (/s would import a file instead of exporting).
TEST(RegistryExportCommand, RefusesPartsThatCouldBreakOutOfTheirQuotes) {
  EXPECT_FALSE(RegistryExportCommandLine(kEditor, L"C:\\a.reg",
                                         L"HKEY_LOCAL_MACHINE\\k\\x\" /s \"C:\\evil.reg"));
  EXPECT_FALSE(RegistryExportCommandLine(kEditor, L"C:\\a\".reg", kKey));
  EXPECT_FALSE(RegistryExportCommandLine(kEditor, L"C:\\a.reg", L"HKEY\\a\nb"));
  EXPECT_FALSE(RegistryExportCommandLine(L"", L"C:\\a.reg", kKey));
  EXPECT_FALSE(RegistryExportCommandLine(kEditor, L"", kKey));
  EXPECT_FALSE(RegistryExportCommandLine(kEditor, L"C:\\a.reg", L""));
}

}  // namespace
