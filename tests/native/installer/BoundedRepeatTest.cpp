#include "installer/BoundedRepeat.h"

#include <gtest/gtest.h>

using talvek::repeatWhileBounded;

TEST(BoundedRepeat, StopsWhenTheConditionEnds) {
  int left = 3;
  EXPECT_EQ(repeatWhileBounded([&] { return left > 0; }, [&] { --left; }, 50), 3);
  EXPECT_EQ(left, 0);
}

TEST(BoundedRepeat, AProcessThatNeverEndsStillLetsTheWorkerGoOn) {
  int stops = 0;
  EXPECT_EQ(repeatWhileBounded([] { return true; }, [&] { ++stops; }, 50), 50);
  EXPECT_EQ(stops, 50);
}
