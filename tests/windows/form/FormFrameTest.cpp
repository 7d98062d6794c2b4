// What a form paints before its controls, and why the background canvas
// controls restore from holds that whole frame, not the background alone.
#include <gtest/gtest.h>

#include <vector>

#include "tests/windows/controls/TestCanvas.h"
#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/TextStyleFlags.h"

namespace talvek::test {
namespace {

constexpr Argb kBlack = 0xFF000000;
constexpr Argb kRed = 0xFFFF0000;
constexpr Argb kBlue = 0xFF0000FF;
constexpr Argb kGreen = 0xFF00FF00;
constexpr int kWidth = 300, kHeight = 200;

bool lit(Argb c) { return redOf(c) > 0x80 || greenOf(c) > 0x80 || blueOf(c) > 0x80; }

class FormFrame : public OwnFormTest {
 protected:
  // Black, with a white title; layered with a shadow puts the frame 5
  // pixels in.
  void createForm(bool shadowed, Argb colour1, Argb colour2, const std::u16string& title = u"") {
    FormCreateOptions options;
    options.rectangle = Rect{40, 40, kWidth, kHeight};
    options.styleFlags = 0;
    options.backgroundColor = kBlack;
    options.colour1 = colour1;
    options.colour2 = colour2;
    options.titleStyle = describeTextStyle(style_flag::kAlignNear | style_flag::kLineNear, std::nullopt, 12, 0xFFFFFFFF);
    if (!title.empty()) options.titleText = title;
    form.create(options);
    if (shadowed) form.layeredMode(true, true);
  }
  // The leftmost and topmost lit pixel in the title band, right of `from`.
  POINT firstInk(int from) const {
    POINT first{kWidth, kHeight};
    for (int y = 0; y < 40; ++y) {
      for (int x = from; x < kWidth / 2; ++x) {
        if (!lit(form.canvas().pixel(x, y))) continue;
        first.x = std::min<LONG>(first.x, x);
        first.y = std::min<LONG>(first.y, y);
      }
    }
    return first;
  }
  std::vector<Argb> picture(const Rect& area) const {
    std::vector<Argb> pixels;
    for (int y = area.y; y < area.y + area.height; ++y)
      for (int x = area.x; x < area.x + area.width; ++x) pixels.push_back(form.canvas().pixel(x, y));
    return pixels;
  }
};

TEST_F(FormFrame, ShadowThenBackgroundThenTheOutlinesInTheirColours) {
  createForm(true, kRed, kBlue);
  ASSERT_EQ(form.frameInset(), 5);
  const MemoryCanvas& canvas = form.canvas();
  const int middle = kHeight / 2;
  EXPECT_EQ(canvas.pixel(100, middle), kBlack) << "the background covers the shadow";
  EXPECT_EQ(canvas.pixel(5, middle), kBlue) << "colour2 on the inset, over the background";
  EXPECT_EQ(canvas.pixel(6, middle), kRed) << "colour1 one pixel inside";
  EXPECT_EQ(canvas.pixel(kWidth - 7, middle), kRed);
  EXPECT_EQ(canvas.pixel(middle, kHeight - 6), kBlue);
  const Argb outer = canvas.pixel(4, middle);
  EXPECT_NE(outer, kBlue);
  EXPECT_NE(outer, kRed);

  Form bare;
  FormCreateOptions options;
  options.rectangle = Rect{40, 40, kWidth, kHeight};
  options.styleFlags = 0;
  options.backgroundColor = kBlack;
  options.colour1 = 0;
  options.colour2 = 0;
  bare.create(options);
  bare.layeredMode(true, true);
  EXPECT_EQ(bare.canvas().pixel(5, middle), kBlack) << "no outline without colours";
  EXPECT_NE(bare.canvas().pixel(4, middle), outer) << "nor the grey one outside";
  bare.destroy();
}

TEST_F(FormFrame, TheTitleStartsFurtherRightWhenAnIconIsShown) {
  createForm(false, 0, 0, u"WWWW");
  const POINT plain = firstInk(0);
  EXPECT_GE(plain.x, 5);
  EXPECT_LT(plain.x, 12);
  EXPECT_GE(plain.y, 5);

  form.setIconImage(solidPng(kGreen));
  form.repaintAll();
  // The icon: 16 x 16 at (7, 6).
  EXPECT_EQ(form.canvas().pixel(7, 6), kGreen);
  EXPECT_EQ(form.canvas().pixel(22, 21), kGreen);
  EXPECT_NE(form.canvas().pixel(6, 6), kGreen);
  EXPECT_NE(form.canvas().pixel(23, 21), kGreen);
  EXPECT_NE(form.canvas().pixel(7, 22), kGreen);
  const POINT withIcon = firstInk(23);
  EXPECT_GE(withIcon.x, 28);
  EXPECT_EQ(withIcon.x - plain.x, 23) << "the same text, 23 pixels further right";
  EXPECT_EQ(withIcon.y, plain.y);

  createForm(true, 0, 0, u"WWWW");
  form.setIconImage(solidPng(kGreen));
  form.repaintAll();
  EXPECT_EQ(form.canvas().pixel(12, 11), kGreen) << "moved in by the frame inset";
  EXPECT_NE(form.canvas().pixel(11, 11), kGreen);
  EXPECT_EQ(firstInk(28).x, withIcon.x + 5);
}

// A control restores its area from the background canvas before blending
// itself in. Holding only the background there would wipe the outlines and
// the title wherever a control that does not cover them is redrawn.
TEST_F(FormFrame, AControlRedrawnOverTheFrameLeavesTitleAndOutlinesAsTheyWere) {
  createForm(true, kRed, kBlue, u"WWWW");
  const Rect edge{0, 0, 80, kHeight};
  const std::vector<Argb> frameOnly = picture(edge);

  Panel clear;
  ASSERT_TRUE(clear.create(form.objectId(), edge, 0));
  clear.redraw();
  EXPECT_EQ(picture(edge), frameOnly);
}

}  // namespace
}  // namespace talvek::test
