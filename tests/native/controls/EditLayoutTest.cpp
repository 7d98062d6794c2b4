#include "toolkit/controls/EditLayout.h"

#include <gtest/gtest.h>

#include <vector>

using namespace talvek;

TEST(EditLayout, ThePointFindsTheNearestCharacterBoundary) {
  const std::vector<float> widths{0, 10, 18, 30};
  auto width = [&](int i) { return widths.at(static_cast<size_t>(i)); };
  EXPECT_EQ(charIndexAt(3, -40, width), 0);
  EXPECT_EQ(charIndexAt(3, 4, width), 0);
  EXPECT_EQ(charIndexAt(3, 6, width), 1);
  EXPECT_EQ(charIndexAt(3, 15, width), 2);
  EXPECT_EQ(charIndexAt(3, 29, width), 3);
  EXPECT_EQ(charIndexAt(3, 500, width), 3);
  EXPECT_EQ(charIndexAt(0, 12, width), 0) << "empty text";
}

TEST(EditLayout, ALongTextIsSearchedWithFewMeasurements) {
  int measured = 0;
  auto width = [&](int i) {
    ++measured;
    return 7.0f * static_cast<float>(i);
  };
  EXPECT_EQ(charIndexAt(100000, 7.0f * 41234 + 2, width), 41234);
  EXPECT_LT(measured, 40);
}

TEST(EditLayout, TheCaretStaysInsideTheTextArea) {
  // Short text: no scrolling.
  EXPECT_FLOAT_EQ(scrollOffset(0, 50, 50, 100), 0);
  // Typing past the right edge: the caret ends one pixel inside it.
  float offset = scrollOffset(0, 150, 150, 100);
  EXPECT_FLOAT_EQ(150 + offset, 99);
  // Caret moved left of the area: the text shifts back right.
  offset = scrollOffset(offset, 20, 150, 100);
  EXPECT_FLOAT_EQ(20 + offset, 0);
  // Text deleted while scrolled: no blank space left at the right.
  EXPECT_FLOAT_EQ(scrollOffset(-51, 60, 60, 100), 0);
  EXPECT_FLOAT_EQ(scrollOffset(-80, 120, 120, 100), -21);
  // A positive offset never survives.
  EXPECT_FLOAT_EQ(scrollOffset(30, 10, 10, 100), 0);
}
