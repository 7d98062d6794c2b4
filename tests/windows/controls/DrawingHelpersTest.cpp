#include "toolkit/controls/DrawingHelpers.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/windows/controls/TestCanvas.h"
#include "toolkit/core/TextStyleFlags.h"

using namespace talvek;
using namespace talvek::test;

namespace {

constexpr Argb kRed = 0xFFFF0000;
constexpr Argb kBlue = 0xFF0000FF;

bool isOpaque(Gdiplus::ARGB c) { return alphaOf(c) == 255; }

// A w × h opaque image: red, with a blue corner block of `corner` pixels at
// each of the four corners.
GdiplusBitmap cornerImage(int w, int h, int corner) {
  std::vector<Gdiplus::ARGB> pixels(static_cast<size_t>(w * h), kRed);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      bool left = x < corner, right = x >= w - corner, top = y < corner, bottom = y >= h - corner;
      if ((left || right) && (top || bottom)) pixels[static_cast<size_t>(y * w + x)] = kBlue;
    }
  }
  GdiplusBitmap scanned;
  gdip::GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(pixels.data()),
                                  scanned.put());
  // Detach from the vector: a clone owns its pixels.
  GdiplusBitmap owned;
  gdip::GdipCloneBitmapAreaI(0, 0, w, h, PixelFormat32bppARGB, scanned.get(), owned.put());
  return owned;
}

}  // namespace

TEST(DrawingHelpers, RadiusZeroFillsAndOutlinesPlainRectangles) {
  TestCanvas square(60, 60);
  ASSERT_TRUE(fillRoundRect(square.graphics(), kRed, 10, 10, 30, 30, 0));
  EXPECT_TRUE(isOpaque(square.pixel(10, 10))) << "the corner is square";
  EXPECT_TRUE(isOpaque(square.pixel(39, 39)));
  EXPECT_EQ(alphaOf(square.pixel(40, 40)), 0);
  EXPECT_EQ(square.inked(), 900);

  TestCanvas round(60, 60);
  ASSERT_TRUE(fillRoundRect(round.graphics(), kRed, 10, 10, 30, 30, 8));
  EXPECT_EQ(alphaOf(round.pixel(10, 10)), 0) << "a radius cuts the corner";
  EXPECT_TRUE(isOpaque(round.pixel(25, 25)));

  TestCanvas outline(60, 60);
  ASSERT_TRUE(drawRoundRect(outline.graphics(), kBlue, 10, 10, 30, 30, 0, 0));
  EXPECT_TRUE(isOpaque(outline.pixel(10, 10))) << "pen width 0 draws a 1-pixel square outline";
  EXPECT_TRUE(isOpaque(outline.pixel(40, 40)));
  EXPECT_EQ(alphaOf(outline.pixel(25, 25)), 0);
  EXPECT_EQ(outline.count({0, 0, 60, 60}, isOpaque), 4 * 30);
}

TEST(DrawingHelpers, RoundRectPathSpansTheRectangle) {
  GdiplusPath path = roundRectPath(5, 7, 100, 40, 6);
  ASSERT_TRUE(path);
  Gdiplus::RectF bounds;
  ASSERT_EQ(gdip::GdipGetPathWorldBounds(path.get(), &bounds, nullptr, nullptr), Gdiplus::Ok);
  EXPECT_NEAR(bounds.X, 5, 0.5);
  EXPECT_NEAR(bounds.Y, 7, 0.5);
  EXPECT_NEAR(bounds.Width, 100, 0.5);
  EXPECT_NEAR(bounds.Height, 40, 0.5);
}

TEST(DrawingHelpers, NineSliceKeepsCornersAndStretchesTheMiddle) {
  GdiplusBitmap image = cornerImage(12, 12, 3);
  ASSERT_TRUE(image);
  TestCanvas canvas(80, 60);
  gdip::GdipSetInterpolationMode(canvas.graphics(), Gdiplus::InterpolationModeNearestNeighbor);
  drawNineSlice(canvas.graphics(), image.get(), 10, 5, 60, 50, {3, 3, 3, 3}, 0);
  EXPECT_EQ(canvas.pixel(11, 6), kBlue);
  EXPECT_EQ(canvas.pixel(68, 53), kBlue);
  EXPECT_EQ(canvas.pixel(40, 6), kRed) << "top edge between the corners";
  EXPECT_EQ(canvas.pixel(40, 30), kRed);
  // The corners keep their 3 pixels: just inside them it is red again.
  EXPECT_EQ(canvas.pixel(14, 6), kRed);
  EXPECT_EQ(canvas.pixel(11, 9), kRed);
  EXPECT_EQ(alphaOf(canvas.pixel(9, 5)), 0);
  EXPECT_EQ(alphaOf(canvas.pixel(70, 55)), 0);
}

TEST(DrawingHelpers, NineSliceOpacityZeroIsOpaqueAndFiftyHalfTransparent) {
  GdiplusBitmap image = cornerImage(12, 12, 3);
  TestCanvas opaque(40, 40);
  drawNineSlice(opaque.graphics(), image.get(), 0, 0, 40, 40, {3, 3, 3, 3}, 0);
  EXPECT_EQ(alphaOf(opaque.pixel(20, 20)), 255);

  TestCanvas half(40, 40);
  drawNineSlice(half.graphics(), image.get(), 0, 0, 40, 40, {3, 3, 3, 3}, 50);
  EXPECT_NEAR(alphaOf(half.pixel(20, 20)), 128, 2);
  EXPECT_NEAR(alphaOf(half.pixel(1, 1)), 128, 2);

  // No image, no graphics: nothing happens.
  drawNineSlice(half.graphics(), nullptr, 0, 0, 40, 40, {}, 0);
  drawNineSlice(nullptr, image.get(), 0, 0, 40, 40, {}, 0);
}

TEST(DrawingHelpers, IconIsDrawnSixteenSquareByDefault) {
  HICON icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  ASSERT_NE(icon, nullptr);
  TestCanvas canvas(60, 60);
  ASSERT_TRUE(drawIcon(canvas.graphics(), icon, 10, 20));
  EXPECT_GT(canvas.count({10, 20, 16, 16}, [](Gdiplus::ARGB c) { return alphaOf(c) != 0; }), 0);
  EXPECT_EQ(canvas.inked(), canvas.count({10, 20, 16, 16}, [](Gdiplus::ARGB c) { return alphaOf(c) != 0; }));
  EXPECT_FALSE(drawIcon(canvas.graphics(), nullptr, 0, 0));
}

TEST(DrawingHelpers, MeasureTextGrowsWithTheTextAndWorksWithoutAGraphics) {
  TextStyle style = TextStyle::build(describeTextStyle(0, std::nullopt, 14));
  TestCanvas canvas(10, 10);
  TextSize wide = measureText(u"WWWWWW", style, canvas.graphics());
  TextSize narrow = measureText(u"W", style, canvas.graphics());
  EXPECT_GT(wide.width, narrow.width);
  EXPECT_GT(narrow.height, 0);
  TextSize desktop = measureText(u"WWWWWW", style);
  EXPECT_NEAR(desktop.width, wide.width, 2);
  EXPECT_EQ(measureText(u"x", TextStyle()).width, 0) << "an unbuilt style measures nothing";
}
