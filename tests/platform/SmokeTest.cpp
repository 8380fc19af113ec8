#include <gtest/gtest.h>
#include "support/WineGuard.h"
TEST(Smoke, RunsUnderWine) { EXPECT_TRUE(RunningUnderWine()); }
