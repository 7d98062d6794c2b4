#include "toolkit/controls/EditLayout.h"

#include <gtest/gtest.h>

using namespace talvek;

TEST(EditLayout, ThePointFindsTheNearestCharacterBoundary) {
  const std::vector<float> widths{0, 10, 18, 30};
  EXPECT_EQ(charIndexAt(widths, -40), 0);
  EXPECT_EQ(charIndexAt(widths, 4), 0);
  EXPECT_EQ(charIndexAt(widths, 6), 1);
  EXPECT_EQ(charIndexAt(widths, 15), 2);
  EXPECT_EQ(charIndexAt(widths, 29), 3);
  EXPECT_EQ(charIndexAt(widths, 500), 3);
  EXPECT_EQ(charIndexAt({0}, 12), 0) << "empty text";
  EXPECT_EQ(charIndexAt({}, 12), 0);
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
