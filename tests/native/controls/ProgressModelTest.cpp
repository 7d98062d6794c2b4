#include "toolkit/controls/ProgressModel.h"
#include "toolkit/core/PropertyText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

using namespace talvek;

namespace {

const RingShape* progressArc(const std::vector<RingShape>& shapes) {
  auto it = std::find_if(shapes.begin(), shapes.end(), [](const RingShape& s) {
    return s.color == RingColor::kProgress && s.penWidth == 20;
  });
  return it == shapes.end() ? nullptr : &*it;
}

}  // namespace

TEST(ProgressModel, RingAtHundredIsAFullCircleFromTwelveOClock) {
  auto shapes = ringShapes(kLookRing, 200, 200, 100.0f, {});
  const RingShape* arc = progressArc(shapes);
  ASSERT_NE(arc, nullptr);
  EXPECT_FLOAT_EQ(arc->sweepAngle, 360.0f);
  EXPECT_FLOAT_EQ(arc->startAngle, -90.0f);
  EXPECT_FLOAT_EQ(arc->x, 20.0f);
  EXPECT_FLOAT_EQ(arc->width, 159.0f);
  EXPECT_FLOAT_EQ(ringSweep(150.0f), 540.0f);
  EXPECT_EQ(shapes.front().kind, RingShape::kPie) << "the shade is drawn first";
}

TEST(ProgressModel, BusyRingHasTrackAccentsAndHaloButNoShade) {
  SpinAngles spin{30, 70};
  auto shapes = ringShapes(kLookBusyRing, 200, 200, 40.0f, spin);
  EXPECT_EQ(shapes.front().color, RingColor::kTrack);
  int accents = 0;
  for (const RingShape& s : shapes) {
    EXPECT_NE(s.kind, RingShape::kPie);
    if (s.color == RingColor::kSecondary) ++accents;
  }
  EXPECT_EQ(accents, 3);
  EXPECT_FLOAT_EQ(shapes.back().startAngle, 70.0f);
}

TEST(ProgressModel, CirclesThatDoNotFitASmallControlAreLeftOut) {
  for (const RingShape& s : ringShapes(kLookBusyRing, 100, 100, 50.0f, {})) {
    EXPECT_GT(s.width, 0.0f);
    EXPECT_GT(s.height, 0.0f);
  }
  // 100 pixels: the 155-pixel halo and the 124-pixel inner accent go, the
  // track, the progress arc and the outer accents stay.
  EXPECT_EQ(ringShapes(kLookBusyRing, 100, 100, 50.0f, {}).size(), 4u);
  EXPECT_TRUE(ringShapes(kLookRing, 1, 200, 50.0f, {}).empty());
  EXPECT_TRUE(ringShapes(kLookBusyRing, 0, 0, 50.0f, {}).empty());
}

TEST(ProgressModel, SpinTurnsTheInnerAccentTwiceAsFastAndWraps) {
  SpinAngles spin;
  for (int i = 0; i < 36; ++i) spin.advance();
  EXPECT_EQ(spin.outer, 180);
  EXPECT_EQ(spin.inner, 0);
  for (int i = 0; i < 36; ++i) spin.advance();
  EXPECT_EQ(spin.outer, 0);
}

TEST(ProgressModel, PercentTextOmitsTheFractionOfWholeNumbers) {
  EXPECT_EQ(percentText(42.0f), "42%");
  EXPECT_EQ(percentText(12.5f), "12.5%");
  EXPECT_EQ(percentText(-3.0f), "-3%");
  EXPECT_EQ(percentText(0.25f), "0.25%");
  EXPECT_EQ(percentText(std::numeric_limits<float>::quiet_NaN()), "0%");
}

TEST(ProgressModel, CreationTakesTheSmallestValueAsMinimum) {
  ProgressValues v = creationValues(std::nullopt, std::nullopt, 0.0f, std::nullopt);
  EXPECT_FLOAT_EQ(v.maximum, 100.0f);
  EXPECT_FLOAT_EQ(v.minimum, 0.0f);
  EXPECT_EQ(v.look, kLookHorizontalBar);
  EXPECT_FLOAT_EQ(creationValues(50.0f, 10.0f, -5.0f, 3).minimum, -5.0f);
  EXPECT_FLOAT_EQ(creationValues(5.0f, 10.0f, 7.0f, 3).minimum, 5.0f);
}

TEST(ProgressModel, BarFillFollowsThePositionAndSurvivesAnEmptyRange) {
  ProgressValues v{.position = 25, .maximum = 100, .minimum = 0};
  EXPECT_EQ(barFill(v, 200), 50);
  v.position = 150;
  EXPECT_EQ(barFill(v, 200), 200);
  v.position = -10;
  EXPECT_EQ(barFill(v, 200), 0);
  v = {.position = 5, .maximum = 5, .minimum = 5};
  EXPECT_EQ(barFill(v, 200), 0);
}

TEST(ProgressModel, PropertiesAreSetByExactNameAndTypeSwitchesTheLook) {
  ProgressProperties p;
  std::optional<std::string> style;
  EXPECT_TRUE(applyProgressProperty(p, "Type", "3", style));
  EXPECT_EQ(p.values.look, kLookRing);
  EXPECT_TRUE(applyProgressProperty(p, "Max", "250.5", style));
  EXPECT_FLOAT_EQ(p.values.maximum, 250.5f);
  EXPECT_TRUE(applyProgressProperty(p, "Color [1]", "0xFE1CBB9D", style));
  EXPECT_EQ(p.colors[0], 0xFE1CBB9Du);
  EXPECT_TRUE(applyProgressProperty(p, "BkgColor", "-1", style));
  EXPECT_EQ(p.backColor, 0xFFFFFFFFu);
  EXPECT_TRUE(applyProgressProperty(p, "StringFormat", "65,16", style));
  EXPECT_EQ(style, "65,16");

  ProgressProperties before = p;
  EXPECT_FALSE(applyProgressProperty(p, "type", "4", style));
  EXPECT_FALSE(applyProgressProperty(p, "Color[1]", "4", style));
  EXPECT_EQ(p.values.look, before.values.look);
  EXPECT_EQ(p.colors[0], before.colors[0]);
}

TEST(ProgressModel, BadPropertyTextsReadAsZeroWithoutOverflow) {
  ProgressProperties p;
  std::optional<std::string> style;
  applyProgressProperty(p, "Pos", "abc", style);
  EXPECT_FLOAT_EQ(p.values.position, 0.0f);
  applyProgressProperty(p, "Type", "1e300", style);
  applyProgressProperty(p, "Max", "1e300", style);
  EXPECT_GT(p.values.look, 0);
  EXPECT_EQ(propertyColor("zz"), 0u);
  EXPECT_EQ(propertyColor("#ff0000"), 0xFF0000u);
}
