#include "toolkit/core/StyledText.h"

#include <gtest/gtest.h>

#include "tests/windows/controls/TestCanvas.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/ToolkitSettings.h"

using namespace talvek;
using namespace talvek::test;

namespace {

constexpr Argb kRed = 0xFFFF0000;
constexpr Argb kGreen = 0xFF00FF00;

TextStyle styleWith(int flags, int size = 16) {
  return TextStyle::build(describeTextStyle(flags, std::nullopt, size, kRed, kGreen));
}

// Leftmost and rightmost inked columns.
std::pair<int, int> inkColumns(const TestCanvas& canvas, int width, int height) {
  int first = width, last = -1;
  for (int x = 0; x < width; ++x) {
    if (canvas.count({x, 0, 1, height}, [](Gdiplus::ARGB c) { return alphaOf(c) != 0; }) > 0) {
      first = std::min(first, x);
      last = x;
    }
  }
  return {first, last};
}

bool glowTinted(Gdiplus::ARGB c) { return alphaOf(c) != 0 && greenOf(c) > redOf(c); }
bool letterTinted(Gdiplus::ARGB c) { return alphaOf(c) > 128 && redOf(c) > greenOf(c); }

}  // namespace

TEST(StyledText, NearWinsWhenNearAndCentreAreBothSet) {
  const Gdiplus::RectF box(0, 0, 300, 40);
  TestCanvas both(300, 40);
  drawStyledText(both.graphics(), styleWith(32 | 64), u"Wm", box, true);
  TestCanvas centred(300, 40);
  drawStyledText(centred.graphics(), styleWith(64), u"Wm", box, true);

  auto [bothFirst, bothLast] = inkColumns(both, 300, 40);
  auto [centreFirst, centreLast] = inkColumns(centred, 300, 40);
  ASSERT_LE(bothFirst, bothLast) << "text was drawn";
  EXPECT_LT(bothLast, 60) << "left-aligned";
  EXPECT_GT(centreFirst, 100) << "centred";
  EXPECT_LT(centreLast, 200);
}

TEST(StyledText, BitFourStrikesOutAndBitEightUnderlines) {
  INT style = -1;
  gdip::GdipGetFontStyle(styleWith(4).font(), &style);
  EXPECT_EQ(style, Gdiplus::FontStyleStrikeout);
  gdip::GdipGetFontStyle(styleWith(8).font(), &style);
  EXPECT_EQ(style, Gdiplus::FontStyleUnderline);
  gdip::GdipGetFontStyle(styleWith(1 | 2).font(), &style);
  EXPECT_EQ(style, Gdiplus::FontStyleBoldItalic);

  // No pixel check: Wine's GDI+ draws neither underline nor strikeout.
}

TEST(StyledText, AlignmentAndFormatFlagsReachTheStringFormat) {
  TextStyle style = styleWith(128 | 1024 | 2048);
  Gdiplus::StringAlignment align, line;
  gdip::GdipGetStringFormatAlign(style.format(), &align);
  gdip::GdipGetStringFormatLineAlign(style.format(), &line);
  EXPECT_EQ(align, Gdiplus::StringAlignmentFar);
  EXPECT_EQ(line, Gdiplus::StringAlignmentFar);
  INT flags = 0;
  gdip::GdipGetStringFormatFlags(style.format(), &flags);
  EXPECT_EQ(flags & 0x1C02, 0xC02);

  // The edit box's style: no wrap, typographic; it must still draw.
  TextStyle noWrap = TextStyle::build(describeTextStyle(0, std::nullopt, 16, kRed), true, false, true);
  gdip::GdipGetStringFormatFlags(noWrap.format(), &flags);
  EXPECT_TRUE(flags & 0x1000);
  TestCanvas canvas(200, 40);
  drawStyledText(canvas.graphics(), noWrap, u"typed text", Gdiplus::RectF(3, 3, 194, 34), true);
  EXPECT_GT(canvas.inked(), 0);
}

TEST(StyledText, GlowPaintsAHaloAroundTheLettersButNotOnATinyLayout) {
  TestCanvas glowing(200, 50);
  drawStyledText(glowing.graphics(), styleWith(4096, 24), u"Glow", Gdiplus::RectF(0, 0, 200, 50), true);
  EXPECT_GT(glowing.count({0, 0, 200, 50}, glowTinted), 0);
  EXPECT_GT(glowing.count({0, 0, 200, 50}, letterTinted), 0);

  // A layout under 3 pixels gives an empty glow bitmap: only the letters
  // show. Wine wraps every letter out of a 2-pixel-wide layout but draws a
  // 2-pixel-high one unclipped, so the high case shows the letters.
  for (Gdiplus::RectF tiny : {Gdiplus::RectF(0, 0, 2, 50), Gdiplus::RectF(0, 0, 200, 2)}) {
    TestCanvas withGlow(200, 50), without(200, 50);
    drawStyledText(withGlow.graphics(), styleWith(4096 | 32, 24), u"Wl", tiny, true);
    drawStyledText(without.graphics(), styleWith(32, 24), u"Wl", tiny, true);
    EXPECT_EQ(withGlow.count({0, 0, 200, 50}, glowTinted), 0);
    EXPECT_EQ(withGlow.inked(), without.inked());
  }
  TestCanvas flat(200, 50);
  drawStyledText(flat.graphics(), styleWith(4096 | 32, 24), u"Wl", Gdiplus::RectF(0, 0, 200, 2), true);
  EXPECT_GT(flat.count({0, 0, 200, 50}, letterTinted), 0);
}

// Glowing text whose glow colour has no alpha is drawn without a halo: the
// pixels must be exactly those of the letters alone, also over a background.
TEST(StyledText, ATransparentGlowLeavesExactlyTheLettersPixels) {
  const Gdiplus::RectF layout(0, 0, 200, 51);
  TestCanvas glowing(200, 51), plain(200, 51);
  for (TestCanvas* canvas : {&glowing, &plain}) gdip::GdipGraphicsClear(canvas->graphics(), 0x80203040);
  drawStyledText(glowing.graphics(), TextStyle::build(describeTextStyle(4096, std::nullopt, 24, kRed, 0x0000FF00)),
                 u"42%", layout, true);
  drawStyledText(plain.graphics(), styleWith(0, 24), u"42%", layout, true);
  int differing = 0;
  for (int y = 0; y < 51; ++y) {
    for (int x = 0; x < 200; ++x) differing += glowing.pixel(x, y) != plain.pixel(x, y) ? 1 : 0;
  }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(plain.count({0, 0, 200, 51}, letterTinted), 0);
}

TEST(StyledText, SizeZeroTakesTheDefaultsAndMissingFontsFallBack) {
  TextStyleDescription sizeless;
  sizeless.styleFlags = 1;
  TextStyle style = TextStyle::build(sizeless, false, true);
  EXPECT_EQ(style.description().fontSize, defaultFontSize());
  EXPECT_EQ(style.description().styleFlags, defaultTextFlags() + 32);

  TextStyle missing = TextStyle::build(describeTextStyle(0, WideText::fromUtf16(u"No Such Family 42"), 14, kRed));
  ASSERT_TRUE(missing.usable());
  TestCanvas canvas(100, 30);
  drawStyledText(canvas.graphics(), missing, u"text", Gdiplus::RectF(0, 0, 100, 30), true);
  EXPECT_GT(canvas.inked(), 0);

  // An unbuilt style draws nothing and does not fail.
  drawStyledText(canvas.graphics(), TextStyle(), u"text", Gdiplus::RectF(0, 0, 100, 30), true);
  drawStyledText(nullptr, missing, u"text", Gdiplus::RectF(0, 0, 100, 30), true);
}

TEST(StyledText, DescriptionsReadFromPropertyTextTakeDefaultsForAbsentFields) {
  TextStyleDescription d = descriptionFromStyleText("65,宋体,16,,");
  EXPECT_EQ(d.styleFlags, 65);
  EXPECT_EQ(std::u16string(d.fontName.toUtf16().c_str()), u"宋体");
  EXPECT_EQ(d.fontSize, 16);
  EXPECT_EQ(d.textColor, defaultTextColor());
  TextStyleDescription back = descriptionFromStyleText(styleTextOf(d));
  EXPECT_EQ(back.fontName.toUtf16(), d.fontName.toUtf16());
  EXPECT_EQ(back.textColor, d.textColor);
  EXPECT_EQ(descriptionFromStyleText("").fontSize, defaultFontSize());
}
