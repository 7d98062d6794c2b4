#include "toolkit/controls/CheckBoxPainter.h"

#include <gtest/gtest.h>

#include "tests/windows/controls/CheckMarkInk.h"

#include "tests/windows/controls/TestCanvas.h"

using namespace talvek;
using namespace talvek::test;

namespace {

constexpr Argb kBox = 0xFFD8D8D8;  // light grey, to tell the box from the white caption


struct PaintedBox {
  PaintedBox(const CheckBoxState& state, bool disabled) : canvas(120, 20) {
    TestCanvas probe(1, 1);  // starts GDI+ before the first decode
    GdiplusBitmap mark = checkMarkImage();
    TextStyle caption = TextStyle::build(defaultCheckBoxCaptionStyle());
    paintCheckBox(canvas.graphics(), {state, disabled, kBox, caption, u"Desktop", mark.get()});
  }
  TestCanvas canvas;
};

}  // namespace

TEST(CheckBoxPainter, TheMarkIsOurFifteenByFourteenImageWithTransparency) {
  TestCanvas probe(1, 1);
  GdiplusBitmap mark = checkMarkImage();
  ASSERT_TRUE(mark);
  UINT width = 0, height = 0;
  gdip::GdipGetImageWidth(mark.get(), &width);
  gdip::GdipGetImageHeight(mark.get(), &height);
  EXPECT_EQ(width, 15u);
  EXPECT_EQ(height, 14u);
  Gdiplus::ARGB corner = 0;
  gdip::GdipBitmapGetPixel(mark.get(), 0, 0, &corner);
  EXPECT_EQ(alphaOf(corner), 0);
}

TEST(CheckBoxPainter, CheckedShowsTheMarkAtTwoTwoOverTheBoxAndTheCaptionRight) {
  CheckBoxState state(120, 20);
  state.setChecked(true);
  PaintedBox painted(state, false);
  EXPECT_GT(painted.canvas.count({2, 2, 15, 14}, isCheckMarkInk), 10);
  EXPECT_EQ(painted.canvas.count({17, 0, 103, 20}, isCheckMarkInk), 0);
  EXPECT_EQ(painted.canvas.pixel(1, 1), kBox);
  EXPECT_EQ(alphaOf(painted.canvas.pixel(0, 0)), 0);
  EXPECT_GT(painted.canvas.count({22, 0, 98, 20}, [](Gdiplus::ARGB c) { return alphaOf(c) != 0; }), 0);

  CheckBoxState unchecked(120, 20);
  EXPECT_EQ(PaintedBox(unchecked, false).canvas.count({0, 0, 120, 20}, isCheckMarkInk), 0);
}
