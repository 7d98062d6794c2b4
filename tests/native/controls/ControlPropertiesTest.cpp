// Properties by name of the progress indicator and the edit box, and the
// progress indicator's timer rules.
#include <gtest/gtest.h>

#include "toolkit/controls/EditBoxProperties.h"
#include "toolkit/controls/ProgressState.h"
#include "toolkit/core/PropertyText.h"

using namespace talvek;

namespace {

ProgressCreation creation(std::optional<int> look, float position = 0) {
  ProgressCreation c;
  c.look = look;
  c.position = position;
  return c;
}

}  // namespace

TEST(ProgressState, OnlyCreationAsABusyRingStartsTheSpinTimer) {
  ProgressState busy;
  EXPECT_TRUE(busy.create(creation(kLookBusyRing)));
  EXPECT_TRUE(busy.onTimer(kSpinTimerKey));
  EXPECT_EQ(busy.spin().outer, 5);
  EXPECT_FALSE(busy.onTimer(1)) << "other keys do not spin";

  ProgressState ring;
  EXPECT_FALSE(ring.create(creation(kLookRing)));
  ring.setLook(kLookBusyRing);
  EXPECT_EQ(ring.look(), kLookBusyRing) << "the look changes, the caller starts no timer";

  ProgressState plain;
  EXPECT_FALSE(plain.create({}));
  EXPECT_EQ(plain.look(), kLookHorizontalBar);
  EXPECT_EQ(plain.properties().colors[0], kProgressColor);
  EXPECT_EQ(plain.properties().backColor, kBarBackColor);
  EXPECT_FLOAT_EQ(plain.properties().values.maximum, 100);
}

TEST(ProgressState, SetColorsStoresOnlyTheGivenOnesAndDestroyResets) {
  ProgressState state;
  state.create(creation(kLookRing, 40));
  state.setColors(0xFF112233, std::nullopt, 0xFF445566);
  EXPECT_EQ(state.properties().colors[0], 0xFF112233u);
  EXPECT_EQ(state.properties().colors[1], kSecondaryColor);
  EXPECT_EQ(state.properties().backColor, 0xFF445566u);
  state.destroy();
  EXPECT_EQ(state.look(), 0);
  EXPECT_FLOAT_EQ(state.position(), 0);
  EXPECT_EQ(state.properties().colors[0], 0u);
}

TEST(ProgressState, PropertiesListInTableOrderAndApplyBack) {
  ProgressState state;
  state.create(creation(kLookBusyRing, 12.5f));
  std::vector<PropertyEntry> list = state.listProperties("65,,16,,");
  ASSERT_EQ(list.size(), 9u);
  EXPECT_EQ(list[0].name, "Max");
  EXPECT_EQ(list[3].name, "Type");
  EXPECT_EQ(list[3].value, "4");
  EXPECT_EQ(list[2].value, "12.5");
  EXPECT_EQ(list[4].value, "0xFE1CBB9D");
  EXPECT_EQ(list[8].value, "65,,16,,");

  ProgressState other;
  other.create({});
  EXPECT_EQ(other.applyProperties(list), "65,,16,,");
  EXPECT_EQ(other.look(), kLookBusyRing) << "Type switches the look for the next redraw";
  EXPECT_FLOAT_EQ(other.position(), 12.5f);
  EXPECT_EQ(other.properties().colors[0], state.properties().colors[0]);
  EXPECT_FALSE(other.applyProperties({{"Unknown", "", "1"}}));
}

TEST(EditBoxProperties, NamesAsTheyAreSpelledSetTheColours) {
  EditBoxColors colors;
  auto style = applyEditBoxProperties(
      colors, {{"FarmeColor", "", "#102030"}, {"SelectColor", "", "-16777216"}, {"FrameColor", "", "0x1"}});
  EXPECT_FALSE(style);
  EXPECT_EQ(colors.frame, 0x102030u);
  EXPECT_EQ(colors.selectText, 0xFF000000u);
  EXPECT_EQ(colors.back, EditBoxColors().back);

  auto list = listEditBoxProperties(colors, "x");
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(list[2].name, "FarmeColor");
  EXPECT_EQ(list[2].value, "0x00102030");
  EXPECT_EQ(applyEditBoxProperties(colors, {{"StringFormat", "", "1,Arial,12,,"}}), "1,Arial,12,,");
}

TEST(PropertyText, StyleTextRoundTripsAndEmptyFieldsAreAbsent) {
  StyleText style = parseStyleText("545, 微软雅黑 ,12,0xFFFFFFFF,");
  EXPECT_EQ(style.flags, 545);
  EXPECT_EQ(style.fontName, "微软雅黑");
  EXPECT_EQ(style.size, 12);
  EXPECT_EQ(style.textColor, 0xFFFFFFFFu);
  EXPECT_FALSE(style.glowColor);
  StyleText again = parseStyleText(formatStyleText(style));
  EXPECT_EQ(again.flags, style.flags);
  EXPECT_EQ(again.fontName, style.fontName);
  EXPECT_EQ(again.textColor, style.textColor);

  StyleText empty = parseStyleText("");
  EXPECT_FALSE(empty.flags);
  EXPECT_FALSE(empty.size);
  EXPECT_TRUE(empty.fontName.empty());
  StyleText odd = parseStyleText("1e40,,x,,0x10,junk");
  EXPECT_EQ(odd.flags, 2147483647);
  EXPECT_EQ(odd.size, 0);
  EXPECT_EQ(odd.glowColor, 0x10u) << "text after the fifth field is ignored";
}
