#include <gtest/gtest.h>

#include "tests/windows/controls/TestCanvas.h"
#include "tests/windows/controls/TestImages.h"
#include "toolkit/controls/ControlImage.h"
#include "toolkit/core/BuiltinSkin.h"
#include "toolkit/core/ImageDecoder.h"
#include "toolkit/core/PictureDrawing.h"
#include "toolkit/core/PictureVariants.h"
#include "toolkit/core/SkinRecord.h"

namespace talvek::test {
namespace {

constexpr Argb kRed = 0xFFCC2020;
constexpr Argb kBlue = 0xFF2040CC;
constexpr Argb kGreen = 0xFF20AA40;

// Pixels where two canvases of the same size differ.
int differences(const TestCanvas& a, const TestCanvas& b, int width, int height) {
  int found = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) found += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
  }
  return found;
}

// The image as GDI+ draws it unchanged at destination, for comparison.
void drawPlainly(const TestCanvas& canvas, Gdiplus::GpImage* image, const Rect& d) {
  gdip::GdipDrawImageRectI(canvas.graphics(), image, d.x, d.y, d.width, d.height);
}

GdiplusImage attachedScale(Argb base, double scale, Argb drawing, int size = 8) {
  GdiplusImage image = solidImage(size, size, base);
  const int scaled = static_cast<int>(size * scale);
  PictureVariants::instance().attach(image.get(), scale, pngBytes(scaled, scaled, [&](int, int) { return drawing; }));
  return image;
}

Gdiplus::InterpolationMode interpolation(const TestCanvas& canvas) {
  Gdiplus::InterpolationMode mode = Gdiplus::InterpolationModeInvalid;
  gdip::GdipGetInterpolationMode(canvas.graphics(), &mode);
  return mode;
}

TEST(PictureDrawing, ASkinPictureAtOneAndAHalfTimesItsSizeIsItsLargerDrawing) {
  TestCanvas probe(1, 1);  // starts the toolkit, which loads the built-in skin
  Gdiplus::GpBitmap* hotClose = skinRecord().captionButtons[kCloseButton][kHotState].get();
  ASSERT_TRUE(hotClose);
  GdiplusBitmap larger = decodeImage(skinRecord().database.getData("关闭_点燃@1.5x"));
  ASSERT_TRUE(larger);
  const Rect destination{0, 0, 42, 36};

  TestCanvas chosen(42, 36), expected(42, 36), stretched(42, 36);
  ASSERT_EQ(drawPicture(chosen.graphics(), hotClose, destination), Gdiplus::Ok);
  drawPlainly(expected, larger.get(), destination);
  drawPlainly(stretched, hotClose, destination);
  EXPECT_EQ(differences(chosen, expected, 42, 36), 0);
  EXPECT_GT(differences(chosen, stretched, 42, 36), 20);

  // The same through a world transform, as a scaled form draws in 1x units.
  TestCanvas transformed(42, 36);
  gdip::GdipScaleWorldTransform(transformed.graphics(), 1.5f, 1.5f, Gdiplus::MatrixOrderPrepend);
  drawImageAtPixelSize(transformed.graphics(), hotClose, 0, 0);
  EXPECT_EQ(differences(transformed, expected, 42, 36), 0);
}

TEST(PictureDrawing, AtItsOwnSizeAPictureIsDrawnAsItAlwaysWas) {
  TestCanvas probe(1, 1);
  for (const auto& state : skinRecord().captionButtons[kMinimiseButton]) {
    ASSERT_FALSE(PictureVariants::instance().scales(state.get()).empty());
    TestCanvas chosen(28, 24), plain(28, 24);
    gdip::GdipSetInterpolationMode(chosen.graphics(), Gdiplus::InterpolationModeNearestNeighbor);
    drawImageAtPixelSize(chosen.graphics(), state.get(), 0, 0);
    drawPlainly(plain, state.get(), {0, 0, 28, 24});
    EXPECT_EQ(differences(chosen, plain, 28, 24), 0);
    EXPECT_EQ(interpolation(chosen), Gdiplus::InterpolationModeNearestNeighbor);
  }
  // Parts too: a nine-slice corner or a caption button at 1x.
  Gdiplus::GpBitmap* close = skinRecord().captionButtons[kCloseButton][kNormalState].get();
  TestCanvas part(14, 12), plainPart(14, 12);
  drawPicturePart(part.graphics(), close, {0, 0, 14, 12}, {7, 6, 14, 12});
  gdip::GdipDrawImageRectRectI(plainPart.graphics(), close, 0, 0, 14, 12, 7, 6, 14, 12, Gdiplus::UnitPixel, nullptr,
                               nullptr, nullptr);
  EXPECT_EQ(differences(part, plainPart, 14, 12), 0);
}

TEST(PictureDrawing, APartOfThePictureComesFromTheSamePartOfTheLargerDrawing) {
  // Left half red, right half blue at 1x; the 2x drawing is green on the
  // left, so a part taken from the wrong place or the wrong drawing shows.
  GdiplusImage image = makeImage(8, 8, [](int x, int) { return x < 4 ? kRed : kBlue; });
  PictureVariants::instance().attach(image.get(), 2.0,
                                     pngBytes(16, 16, [](int x, int) { return x < 8 ? kGreen : kBlue; }));
  TestCanvas canvas(16, 16);
  drawPicturePart(canvas.graphics(), image.get(), {0, 0, 8, 16}, {0, 0, 4, 8});
  drawPicturePart(canvas.graphics(), image.get(), {8, 0, 8, 16}, {4, 0, 4, 8});
  EXPECT_EQ(canvas.count({0, 0, 8, 16}, [](Gdiplus::ARGB c) { return c == kGreen; }), 8 * 16);
  EXPECT_EQ(canvas.count({8, 0, 8, 16}, [](Gdiplus::ARGB c) { return c == kBlue; }), 8 * 16);
}

TEST(PictureDrawing, TheRestOfTheWayIsStretchedSmoothlyAndTheModeRestored) {
  GdiplusImage image = attachedScale(kRed, 2.0, kBlue);
  TestCanvas canvas(18, 18);
  gdip::GdipSetInterpolationMode(canvas.graphics(), Gdiplus::InterpolationModeNearestNeighbor);
  // 2.25x: the 2x drawing, stretched.
  drawPicture(canvas.graphics(), image.get(), {0, 0, 18, 18});
  EXPECT_EQ(canvas.count({2, 2, 14, 14}, [](Gdiplus::ARGB c) { return c == kBlue; }), 14 * 14);
  EXPECT_EQ(interpolation(canvas), Gdiplus::InterpolationModeNearestNeighbor);
  // 1.2x is nearer 1 than 2: the 1x picture, stretched.
  TestCanvas nearer(10, 10);
  drawPicture(nearer.graphics(), image.get(), {0, 0, 10, 10});
  EXPECT_EQ(nearer.count({2, 2, 6, 6}, [](Gdiplus::ARGB c) { return c == kRed; }), 6 * 6);
}

TEST(PictureDrawing, LargerDrawingsLeaveWithTheirPictureAndFollowItsCopies) {
  GdiplusImage image = attachedScale(kRed, 1.5, kBlue);
  GdiplusImage copy = copyImage(image);
  ASSERT_TRUE(copy);
  EXPECT_EQ(PictureVariants::instance().scales(copy.get()), std::vector<double>{1.5});
  Gdiplus::GpImage* address = image.get();
  image.reset();
  // A new image GDI+ places at the freed address must not inherit them.
  EXPECT_TRUE(PictureVariants::instance().scales(address).empty());
  TestCanvas canvas(12, 12);
  drawPicture(canvas.graphics(), copy.get(), {0, 0, 12, 12});
  EXPECT_EQ(canvas.count({0, 0, 12, 12}, [](Gdiplus::ARGB c) { return c == kBlue; }), 12 * 12);
  // A drawing whose bytes are not an image leaves the 1x picture in place.
  GdiplusImage broken = solidImage(8, 8, kRed);
  PictureVariants::instance().attach(broken.get(), 1.5, ByteBlock{1, 2, 3});
  TestCanvas fallback(12, 12);
  EXPECT_EQ(drawPicture(fallback.graphics(), broken.get(), {0, 0, 12, 12}), Gdiplus::Ok);
  EXPECT_GT(fallback.count({2, 2, 8, 8}, [](Gdiplus::ARGB c) { return c == kRed; }), 0);
}

}  // namespace
}  // namespace talvek::test
