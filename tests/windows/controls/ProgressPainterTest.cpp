#include "toolkit/controls/ProgressPainter.h"

#include <gtest/gtest.h>

#include "tests/windows/controls/TestCanvas.h"
#include "toolkit/core/TextStyleFlags.h"

using namespace talvek;
using namespace talvek::test;

namespace {

constexpr Argb kProgress = 0xFF1CBB9D;
constexpr Argb kSecondary = 0xFF8B8C8C;
constexpr Argb kBack = 0xFFE87352;
constexpr Argb kText = 0xFFFF00FF;

bool looksLike(Gdiplus::ARGB c, Argb expected) {
  auto close = [](int a, int b) { return std::abs(a - b) <= 8; };
  return alphaOf(c) > 200 && close(redOf(c), redOf(expected)) && close(greenOf(c), greenOf(expected)) &&
         close(blueOf(c), blueOf(expected));
}

struct Painted {
  explicit Painted(int look, float position, float maximum = 100, int w = 200, int h = 200) : canvas(w, h) {
    properties.values = {.position = position, .maximum = maximum, .minimum = 0, .look = look};
    properties.colors[0] = kProgress;
    properties.colors[1] = kSecondary;
    properties.backColor = kBack;
    TextStyle ring = TextStyle::build(describeTextStyle(65 | 512, std::nullopt, 16, kText));
    TextStyle bar = TextStyle::build(describeTextStyle(64 | 512, std::nullopt, 12, kText));
    paintProgressLook(canvas.graphics(), {properties, 0, {}, ring, bar}, w, h);
  }
  bool progressAt(int x, int y) const { return looksLike(canvas.pixel(x, y), kProgress); }
  int textInk(const Rect& area) const {
    return canvas.count(area, [](Gdiplus::ARGB c) { return looksLike(c, kText) || (alphaOf(c) > 0 && redOf(c) > 200 && blueOf(c) > 200); });
  }

  ProgressProperties properties;
  TestCanvas canvas;
};

}  // namespace

// Points inside the 20-pixel progress band of a 200 × 200 ring (radius
// 79.5 around the centre), clear of the thin circles drawn on its edges.
TEST(ProgressPainter, BusyRingDrawsTheArcOverItsTrack) {
  Painted busy(kLookBusyRing, 50);
  EXPECT_TRUE(busy.progressAt(173, 100));
  EXPECT_FALSE(busy.progressAt(26, 100)) << "the second half shows only the faint track";
  EXPECT_GT(alphaOf(busy.canvas.pixel(26, 100)), 0);
}

TEST(ProgressPainter, HorizontalBarFillsInProportion) {
  Painted bar(kLookHorizontalBar, 25, 100, 200, 20);
  EXPECT_TRUE(looksLike(bar.canvas.pixel(2, 2), kProgress));
  EXPECT_TRUE(looksLike(bar.canvas.pixel(190, 2), kBack));
  EXPECT_FALSE(looksLike(bar.canvas.pixel(60, 2), kProgress));

  Painted vertical(kLookVerticalBar, 50, 100, 20, 200);
  EXPECT_TRUE(looksLike(vertical.canvas.pixel(2, 197), kProgress)) << "filled from the bottom";
  EXPECT_TRUE(looksLike(vertical.canvas.pixel(2, 3), kBack));
}

TEST(ProgressPainter, UnknownLookDrawsNothing) {
  Painted nothing(7, 50);
  EXPECT_EQ(nothing.canvas.inked(), 0);
}
