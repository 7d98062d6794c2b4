#include "toolkit/controls/FocusOrder.h"

#include <gtest/gtest.h>

namespace talvek {
namespace {

// Registry order: 1 (stop), 2, 3 (stop), 4 (stop), 5.
const std::vector<FocusCandidate> kRun{{1, true}, {2, false}, {3, true}, {4, true}, {5, false}};

TEST(FocusOrder, TabGoesToTheStopInFrontAndWrapsToTheLast) {
  EXPECT_EQ(nextTabStop(kRun, 4, false), 3);
  EXPECT_EQ(nextTabStop(kRun, 3, false), 1);
  EXPECT_EQ(nextTabStop(kRun, 1, false), 4);
}

TEST(FocusOrder, ShiftTabGoesTheOtherWay) {
  EXPECT_EQ(nextTabStop(kRun, 1, true), 3);
  EXPECT_EQ(nextTabStop(kRun, 3, true), 4);
  EXPECT_EQ(nextTabStop(kRun, 4, true), 1);
}

TEST(FocusOrder, WithoutAFocusedStopTabStartsAtTheEnd) {
  EXPECT_EQ(nextTabStop(kRun, 0, false), 4);
  EXPECT_EQ(nextTabStop(kRun, 0, true), 1);
  // A focused control that is no stop (a ring) is left along its place.
  EXPECT_EQ(nextTabStop(kRun, 5, false), 4);
  EXPECT_EQ(nextTabStop(kRun, 2, false), 1);
  EXPECT_EQ(nextTabStop(kRun, 99, false), 4);
}

TEST(FocusOrder, NoStopMeansNoMove) {
  EXPECT_EQ(nextTabStop({}, 0, false), 0);
  EXPECT_EQ(nextTabStop({{7, false}}, 7, true), 0);
  // The only stop, focused already: Tab keeps it there.
  EXPECT_EQ(nextTabStop({{7, true}, {8, false}}, 7, false), 7);
}

}  // namespace
}  // namespace talvek
