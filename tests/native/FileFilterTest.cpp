#include <gtest/gtest.h>

#include <string>

#include "ui/FileFilter.h"

namespace {

using namespace std::string_literals;

TEST(FileFilter, BarsBecomeNulsAndTheListEndsWithTwo) {
  EXPECT_EQ(NulSeparatedFilter(L"Programme|*.exe|Alle Dateitypen|*.*"),
            L"Programme\0*.exe\0Alle Dateitypen\0*.*\0\0"s);
  EXPECT_EQ(NulSeparatedFilter(L"Registrierungsdatei|*.reg|Alle Dateitypen|*.*"),
            L"Registrierungsdatei\0*.reg\0Alle Dateitypen\0*.*\0\0"s);
  EXPECT_EQ(NulSeparatedFilter(L"A|*.a"), L"A\0*.a\0\0"s);
}

TEST(FileFilter, EmptyFilterMeansNone) { EXPECT_EQ(NulSeparatedFilter(L""), L""); }

}  // namespace
