#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "toolkit/core/PictureScale.h"

namespace talvek {
namespace {

const std::vector<double> kAllScales = {1.25, 1.5, 2.0};
const std::vector<double> kTwo = {1.5, 2.0};
const std::vector<double> kNone;

TEST(PictureScale, TakesTheNearestDrawingAndTheLargerHalfwayBetween) {
  struct Case {
    double ratio;
    const std::vector<double>& scales;
    double expected;
  };
  const Case cases[] = {
      {1.0, kAllScales, 1.0}, {1.1, kAllScales, 1.0},  {1.125, kAllScales, 1.25}, {1.25, kAllScales, 1.25},
      {1.5, kAllScales, 1.5}, {1.74, kAllScales, 1.5}, {1.75, kAllScales, 2.0},   {3.0, kAllScales, 2.0},
      {1.25, kTwo, 1.5},      {1.2, kTwo, 1.0},        {1.4999999, kTwo, 1.5},    {0.5, kTwo, 1.0},
      {2.0, kNone, 1.0},      {NAN, kTwo, 1.0},        {INFINITY, kTwo, 2.0},
  };
  for (const Case& c : cases) EXPECT_EQ(nearestPictureScale(c.ratio, c.scales), c.expected) << c.ratio;
  // The order the drawings were attached in does not matter.
  const std::vector<double> unordered = {2.0, 1.25, 1.5};
  EXPECT_EQ(nearestPictureScale(1.5, unordered), 1.5);
  EXPECT_EQ(nearestPictureScale(1.125, unordered), 1.25);
  // A scale of 1 or below among the drawings is never taken for one.
  const std::vector<double> odd = {0.5, 1.0};
  EXPECT_EQ(nearestPictureScale(0.5, odd), 1.0);
}

TEST(PictureScale, MeasuresTheSmallerAxisInDevicePixels) {
  EXPECT_DOUBLE_EQ(deviceRatio(42, 36, 28, 24), 1.5);
  // A nine-slice edge: stretched along, 1x across.
  EXPECT_DOUBLE_EQ(deviceRatio(300, 24, 28, 24), 1.0);
  // A mirroring world transform gives negative sizes.
  EXPECT_DOUBLE_EQ(deviceRatio(-56, 48, 28, 24), 2.0);
  EXPECT_DOUBLE_EQ(deviceRatio(10, 10, 0, 24), 1.0);
}

TEST(PictureScale, MapsPartsOfThePictureSoNeighboursStillMeet) {
  // An 11 px wide picture cut 3 + 5 + 3, drawn 1.5x as 16 px (rounded down).
  const Rect left = scaledSourceRect({0, 0, 3, 11}, 11, 11, 16, 16);
  const Rect middle = scaledSourceRect({3, 0, 5, 11}, 11, 11, 16, 16);
  const Rect right = scaledSourceRect({8, 0, 3, 11}, 11, 11, 16, 16);
  EXPECT_EQ(left.x, 0);
  EXPECT_EQ(left.x + left.width, middle.x);
  EXPECT_EQ(middle.x + middle.width, right.x);
  EXPECT_EQ(right.x + right.width, 16);
  EXPECT_EQ(left.height, 16);
  // The whole picture is the whole drawing.
  const Rect whole = scaledSourceRect({0, 0, 28, 24}, 28, 24, 56, 48);
  EXPECT_EQ(whole.width, 56);
  EXPECT_EQ(whole.height, 48);
  // An empty picture maps nothing it cannot divide by.
  EXPECT_EQ(scaledSourceRect({1, 2, 3, 4}, 0, 0, 8, 8).width, 3);
}

TEST(PictureScale, CopiesAWholePixelMatchAndResamplesTheRest) {
  EXPECT_FALSE(needsResampling(42, 36, 42.0, 36.0));
  EXPECT_FALSE(needsResampling(42, 36, 42.0000001, 36.0));
  EXPECT_TRUE(needsResampling(42, 36, 43.0, 36.0));
  EXPECT_TRUE(needsResampling(56, 48, 49.0, 42.0));
}

}  // namespace
}  // namespace talvek
