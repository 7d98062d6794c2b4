#include "toolkit/core/BorderZones.h"

#include <gtest/gtest.h>

using namespace talvek;

TEST(BorderZones, CornersWinOverEdgesInTheFixedOrder) {
  const int w = 380, h = 250;
  EXPECT_EQ(borderZoneAt(6, 6, w, h, 5), BorderZone::TopLeft);
  EXPECT_EQ(borderZoneAt(7, 3, w, h, 5), BorderZone::Top);
  EXPECT_EQ(borderZoneAt(w - 6, 2, w, h, 5), BorderZone::Top);  // top is tested before top-right
  EXPECT_EQ(borderZoneAt(w - 5, 2, w, h, 5), BorderZone::TopRight);
  EXPECT_EQ(borderZoneAt(w - 1, 100, w, h, 5), BorderZone::Right);
  EXPECT_EQ(borderZoneAt(w - 2, h - 2, w, h, 5), BorderZone::BottomRight);
  EXPECT_EQ(borderZoneAt(100, h - 1, w, h, 5), BorderZone::Bottom);
  EXPECT_EQ(borderZoneAt(2, h - 2, w, h, 5), BorderZone::BottomLeft);
  EXPECT_EQ(borderZoneAt(1, 100, w, h, 5), BorderZone::Left);
  EXPECT_EQ(borderZoneAt(100, 100, w, h, 5), BorderZone::None);
}

TEST(BorderZones, TheShadowInsetWidensTheTopBandAndTheDragBand) {
  const int w = 380, h = 250;
  EXPECT_EQ(borderZoneAt(100, 18, w, h, 5), BorderZone::Top);
  EXPECT_EQ(borderZoneAt(100, 19, w, h, 5), BorderZone::None);
  EXPECT_EQ(borderZoneAt(100, 13, w, h, 0), BorderZone::Top);
  EXPECT_EQ(borderZoneAt(100, 14, w, h, 0), BorderZone::None);

  EXPECT_TRUE(inDragBand(100, 27, w, 5, 90, 0));
  EXPECT_FALSE(inDragBand(100, 28, w, 5, 90, 0));
  EXPECT_TRUE(inDragBand(100, 22, w, 0, 90, 0));
  EXPECT_FALSE(inDragBand(100, 23, w, 0, 90, 0));
  // The band stops where the caption buttons begin.
  EXPECT_FALSE(inDragBand(w - 90 - 10, 5, w, 5, 90, 0));
  EXPECT_TRUE(inDragBand(w - 90 - 11, 5, w, 5, 90, 0));
}

TEST(BorderZones, EachZoneHasItsCursorAndSizeCommand) {
  EXPECT_EQ(borderZoneInfo(BorderZone::TopLeft).sizeCommand, 0xF004u);
  EXPECT_EQ(borderZoneInfo(BorderZone::Left).sizeCommand, 0xF001u);
  EXPECT_EQ(borderZoneInfo(BorderZone::BottomRight).cursorId, borderZoneInfo(BorderZone::TopLeft).cursorId);
  EXPECT_EQ(borderZoneInfo(BorderZone::None).sizeCommand, 0u);
  EXPECT_EQ(captionButtonX(380 - 30, 5, 0), 344);
}
