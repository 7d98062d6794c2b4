#include "toolkit/core/DisplayScale.h"

#include <gtest/gtest.h>

#include <climits>

using namespace talvek;

TEST(DisplayScale, NinetySixDpiAndStrangeValuesChangeNothing) {
  for (int dpi : {96, 0, -144, 48, 95, 961, INT_MAX}) {
    const DisplayScale scale(dpi);
    EXPECT_TRUE(scale.identity()) << dpi;
    const Rect r{-7, 13, 700, 350};
    const Rect device = scale.toDevice(r);
    EXPECT_EQ(device.x, r.x);
    EXPECT_EQ(device.width, r.width);
    EXPECT_EQ(scale.toLogical(INT_MIN), INT_MIN);
  }
}

TEST(DisplayScale, WindowSizesAtTheCommonScales) {
  struct Case {
    int dpi, width, height;
  } cases[] = {{120, 875, 438}, {144, 1050, 525}, {192, 1400, 700}};
  for (const Case& c : cases) {
    const DisplayScale scale(c.dpi);
    EXPECT_EQ(scale.toDevice(700), c.width) << c.dpi;
    EXPECT_EQ(scale.toDevice(350), c.height) << c.dpi;
    EXPECT_EQ(scale.toLogical(c.height), 350) << c.dpi;
  }
}

TEST(DisplayScale, EveryValueComesBackFromThePixels) {
  // The options slide asks the form for its height and adds a step: a
  // height that drifted in the round trip would end the slide elsewhere.
  for (int dpi = 96; dpi <= 480; dpi += 4) {
    const DisplayScale scale(dpi);
    for (int v = -1000; v <= 1000; ++v) ASSERT_EQ(scale.toLogical(scale.toDevice(v)), v) << dpi << " " << v;
  }
}

TEST(DisplayScale, NeighboursStillTouchAndNothingOverlaps) {
  const DisplayScale scale(120);
  // Controls side by side at odd places, the way a layout puts them.
  int x = 3;
  Rect previous = scale.toDevice(Rect{x, 0, 0, 10});
  for (int width : {1, 7, 30, 31, 64, 3, 232, 1}) {
    const Rect device = scale.toDevice(Rect{x, 0, width, 10});
    EXPECT_EQ(device.x, previous.x + previous.width);
    EXPECT_GE(device.width, 1);
    previous = device;
    x += width;
  }
  const Rect negative = scale.toDevice(Rect{-41, -3, 30, 31});
  EXPECT_EQ(negative.x, -51);
  EXPECT_EQ(negative.x + negative.width, -14);
}

TEST(DisplayScale, HugeRectanglesDoNotWrap) {
  const DisplayScale scale(192);
  const Rect device = scale.toDevice(Rect{INT_MAX - 10, 0, 100, 5});
  EXPECT_EQ(device.x, INT_MAX);
  EXPECT_GE(device.width, 0);
  EXPECT_EQ(scale.toDevice(INT_MIN), INT_MIN);
}
