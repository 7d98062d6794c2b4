#include "toolkit/core/ToolkitSettings.h"

#include <gtest/gtest.h>

#include "toolkit/core/DefaultFontChoice.h"

using namespace talvek;

TEST(ColorFromRgb, SwapsRedAndBlueAndAddsAlpha) {
  EXPECT_EQ(colorFromRgb(0xFFFFFF, 254), 0xFEFFFFFFu);
  EXPECT_EQ(colorFromRgb(0x000000), 0xFF000000u);
  EXPECT_EQ(colorFromRgb(0xFFFFFF, 96), 0x60FFFFFFu);
  EXPECT_EQ(colorFromRgb(0x0000FF), 0xFFFF0000u);
  EXPECT_EQ(colorFromRgb(0x3519B3), 0xFFB31935u);
  EXPECT_EQ(colorFromRgb(0xFF123456, 0), 0x00563412u);  // the unused top byte is ignored
}

TEST(ToolkitSettings, AccessorsReadWithoutChangingAndWriteWhenGiven) {
  int size = defaultFontSize();
  EXPECT_EQ(defaultFontSize(), size);
  EXPECT_EQ(defaultFontSize(20), 20);
  EXPECT_EQ(defaultFontSize(), 20);
  defaultFontSize(size);

  WideText name = defaultFontName();
  EXPECT_EQ(defaultFontName(WideText::fromUtf16(u"x")).toUtf16(), u"x");
  EXPECT_EQ(defaultFontName().toUtf16(), u"x");
  defaultFontName(name);
}

TEST(ToolkitSettings, DefaultTextStyleTakesTheCurrentDefaults) {
  WideText name = defaultFontName();
  defaultFontName(WideText::fromUtf16(u"宋体"));
  TextStyleDescription multi = defaultTextStyle(false);
  EXPECT_EQ(multi.styleFlags, 4688);
  EXPECT_EQ(multi.fontName.toUtf16(), u"宋体");
  EXPECT_EQ(multi.fontSize, 12);
  EXPECT_EQ(multi.textColor, 0xFEFFFFFFu);
  EXPECT_EQ(defaultTextStyle(true).styleFlags, 4688 + 32);
  defaultTextFlags(1);
  EXPECT_EQ(defaultTextStyle(true).styleFlags, 33);
  defaultTextFlags(startup_defaults::kTextFlags);
  defaultFontName(name);
}

TEST(DefaultFontChoice, PrefersTheModernFaceOnlyWhenInstalled) {
  std::u16string asked;
  auto none = [&](const WideText& family) {
    asked = family.toUtf16();
    return false;
  };
  EXPECT_EQ(chooseDefaultFontName(none).toUtf16(), u"宋体");
  EXPECT_EQ(asked, u"微软雅黑");
  EXPECT_EQ(chooseDefaultFontName([](const WideText&) { return true; }).toUtf16(), u"微软雅黑");
}
