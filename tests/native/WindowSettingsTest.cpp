#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/WindowSettings.h"

using Numbers = std::vector<int>;

TEST(WindowSettings, NumbersAreReadOnlyWhenTheTextHoldsExactlyTheCountAsked) {
  EXPECT_EQ(FormatNumbers({120, 0, -5}), L"120,0,-5");
  EXPECT_EQ(ParseNumbers(L"120,0,-5", 3), (Numbers{120, 0, -5}));
  EXPECT_EQ(ParseNumbers(L" 1 , 2 ", 2), (Numbers{1, 2}));
  for (const wchar_t* bad : {L"", L"1,2", L"1,2,3,4", L"1,,3", L"1,x,3", L"1,2,3,", L"1,2,1234567890",
                             L"1;2;3", L"1,-,3"})
    EXPECT_FALSE(ParseNumbers(bad, 3)) << std::string(bad, bad + std::wstring(bad).size());
}

TEST(WindowSettings, APlacementNeedsAnAreaAndAYesOrNoForMaximised) {
  const SavedPlacement placement{-1200, 40, -400, 600, true};
  EXPECT_EQ(FormatPlacement(placement), L"-1200,40,-400,600,1");
  EXPECT_EQ(ParsePlacement(FormatPlacement(placement)), placement);
  EXPECT_FALSE(ParsePlacement(L"10,10,10,300,0"));   // no width
  EXPECT_FALSE(ParsePlacement(L"10,300,500,20,0"));  // upside down
  EXPECT_FALSE(ParsePlacement(L"10,10,500,300,2"));
  EXPECT_FALSE(ParsePlacement(L"10,10,500,300"));
}

TEST(WindowSettings, AColumnOrderHoldsEachColumnOnceAndTheHiddenOneGoesLast) {
  EXPECT_TRUE(IsColumnOrder({0, 2, 3, 4, 1}));
  EXPECT_FALSE(IsColumnOrder({0, 2, 2, 4, 1}));
  EXPECT_FALSE(IsColumnOrder({0, 2, 3, 5, 1}));
  EXPECT_FALSE(IsColumnOrder({0, -1, 3, 4, 1}));
  EXPECT_EQ(WithColumnLast({3, 1, 0, 4, 2}, 1), (Numbers{3, 0, 4, 2, 1}));
  EXPECT_EQ(WithColumnLast({3, 0, 1}, 1), (Numbers{3, 0, 1}));
}

// Proportions stay, the hidden column stays hidden, and the widths end where the total does.
TEST(WindowSettings, ScaledWidthsKeepTheirProportionsWithoutRoundingDrift) {
  EXPECT_EQ(ScaledWidths({120, 0, 205, 150, 65}, 562, 1124), (Numbers{240, 0, 410, 300, 130}));
  EXPECT_EQ(ScaledWidths({100, 100, 100}, 300, 100), (Numbers{33, 34, 33}));
  const Numbers grown = ScaledWidths({120, 0, 205, 150, 65}, 562, 1000);
  int sum = 0;
  for (const int width : grown) sum += width;
  EXPECT_EQ(sum, 961);  // 540 * 1000 / 562, rounded once
  EXPECT_EQ(grown[1], 0);
  EXPECT_EQ(ScaledWidths({10, 20}, 0, 100), (Numbers{10, 20}));  // nothing to scale from
}
