#include <gtest/gtest.h>

#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/core/RoundRect.h"
#include "toolkit/core/TextStyle.h"
#include "toolkit/core/WindowShadow.h"

namespace talvek::test {
namespace {

class DrawingHelpers : public ::testing::Test {
 protected:
  void SetUp() override { startFormToolkitOnce(); }
};

TEST_F(DrawingHelpers, TheShadowStaysInItsRingForEveryRadius) {
  for (int radius : {0, 3, 8}) {
    MemoryCanvas canvas(120, 90);
    drawWindowShadow(canvas.graphics(), 0, 0, 120, 90, 0, radius);
    gdip::GdipFlush(canvas.graphics(), Gdiplus::FlushIntentionSync);
    // Inside the body only its rounded corners may catch shadow.
    const int corner = radius + 1;
    EXPECT_EQ(pixelsNotEqual(canvas, {5 + corner, 5, 110 - 2 * corner, 80}, 0), 0) << radius;
    EXPECT_EQ(pixelsNotEqual(canvas, {5, 5 + corner, 110, 80 - 2 * corner}, 0), 0) << radius;
    EXPECT_GT(canvas.pixel(3, 45) >> 24, canvas.pixel(0, 45) >> 24) << "darker towards the body, radius " << radius;
    EXPECT_GT(canvas.pixel(60, 3) >> 24, 0u) << radius;
  }
}

TEST_F(DrawingHelpers, RoundRectanglesWithoutARadiusArePlainRectangles) {
  MemoryCanvas square(20, 20), round(20, 20);
  EXPECT_TRUE(fillRoundRect(square.graphics(), 0xFFFFFFFF, 2, 2, 16, 16, 0));
  EXPECT_TRUE(fillRoundRect(round.graphics(), 0xFFFFFFFF, 2, 2, 16, 16, 6));
  gdip::GdipFlush(square.graphics(), Gdiplus::FlushIntentionSync);
  gdip::GdipFlush(round.graphics(), Gdiplus::FlushIntentionSync);
  EXPECT_EQ(square.pixel(2, 2), 0xFFFFFFFFu);
  EXPECT_NE(round.pixel(2, 2), 0xFFFFFFFFu) << "the corner is cut";
  EXPECT_EQ(round.pixel(10, 10), 0xFFFFFFFFu);
}

TEST_F(DrawingHelpers, TextStylesMeasureAndDrawWithAndWithoutGlow) {
  TextStyleDescription description{text_flag::kAlignNear | text_flag::kAlignCentre, {}, 14, 0xFFFFFFFF, 0};
  TextStyle style(description);
  ASSERT_TRUE(style);
  const TextExtent extent = style.measure(u"Talvek");
  EXPECT_GT(extent.width, 20);
  EXPECT_GT(extent.height, 10);

  MemoryCanvas canvas(120, 40);
  style.draw(canvas.graphics(), u"Talvek", {0, 0, 120, 40}, true);
  gdip::GdipFlush(canvas.graphics(), Gdiplus::FlushIntentionSync);
  // Near wins over centre: the letters start at the left.
  EXPECT_GT(pixelsNotEqual(canvas, {0, 0, 20, 40}, 0), 0);
  EXPECT_EQ(pixelsNotEqual(canvas, {100, 0, 20, 40}, 0), 0);

  // A glow on a layout too narrow for its bitmap draws just the letters.
  description.styleFlags |= text_flag::kGlow;
  description.glowColor = 0xFF00FF00;
  TextStyle glowing(description);
  MemoryCanvas narrow(2, 40);
  glowing.draw(narrow.graphics(), u"T", {0, 0, 2, 40}, true);
  // A size-0 description stands for the default style.
  EXPECT_EQ(TextStyle(TextStyleDescription{}).description().fontSize, 12);
}

}  // namespace
}  // namespace talvek::test
