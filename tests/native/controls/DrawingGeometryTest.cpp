// Geometry and flag rules behind the drawing helpers and text styles.
#include <gtest/gtest.h>

#include "toolkit/controls/NineSlice.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/ToolkitSettings.h"

using namespace talvek;

TEST(ContrastColor, MidGreyTipsAtHalfTheSum) {
  EXPECT_EQ(contrastColor(0xFF80807F), 0x000000u);  // 383
  EXPECT_EQ(contrastColor(0xFF7F7F80), 0xFFFFFFu);  // 382
  EXPECT_EQ(contrastColor(0x00FFFFFF), 0x000000u) << "alpha plays no part";
  EXPECT_EQ(contrastColor(0xFF000000), 0xFFFFFFu);
}

TEST(NineSlice, CornersKeepTheirSizeAndTheRestStretches) {
  auto pieces = nineSlicePieces(30, 20, {100, 50, 200, 80}, {10, 5, 8, 6});
  // Corners: natural size at the four corners of the destination.
  EXPECT_EQ(pieces[0].destination.x, 100);
  EXPECT_EQ(pieces[0].destination.width, 10);
  EXPECT_EQ(pieces[3].source.x, 22);
  EXPECT_EQ(pieces[3].source.y, 14);
  EXPECT_EQ(pieces[3].destination.x, 292);
  EXPECT_EQ(pieces[3].destination.y, 124);
  // Top edge stretches across, the centre both ways.
  EXPECT_EQ(pieces[4].source.width, 12);
  EXPECT_EQ(pieces[4].destination.width, 182);
  EXPECT_EQ(pieces[8].source.height, 9);
  EXPECT_EQ(pieces[8].destination.height, 69);
  // Together the pieces cover the destination exactly.
  long long area = 0;
  for (const SlicePiece& p : pieces) area += static_cast<long long>(p.destination.width) * p.destination.height;
  EXPECT_EQ(area, 200LL * 80);
}

TEST(NineSlice, OversizedMarginsNeverGiveNegativeSizes) {
  for (const SlicePiece& p : nineSlicePieces(10, 10, {0, 0, 4, 4}, {50, -3, 50, 70})) {
    EXPECT_GE(p.source.width, 0);
    EXPECT_GE(p.source.height, 0);
    EXPECT_GE(p.destination.width, 0);
    EXPECT_GE(p.destination.height, 0);
    EXPECT_LE(p.source.x + p.source.width, 10);
    EXPECT_LE(p.source.y + p.source.height, 10);
  }
}

TEST(TextStyleFlags, NearWinsOverCentreAndFarAndNoBitIsNear) {
  EXPECT_EQ(horizontalAlignment(32 | 64), 0);
  EXPECT_EQ(horizontalAlignment(64 | 128), 1);
  EXPECT_EQ(horizontalAlignment(128), 2);
  EXPECT_EQ(horizontalAlignment(0), 0);
  EXPECT_EQ(lineAlignment(512 | 1024), 1);
  EXPECT_EQ(lineAlignment(64), 0) << "horizontal bits do not move lines";
}

TEST(TextStyleFlags, OmittedFieldsAndSizeZeroTakeTheDefaults) {
  TextStyleDescription d = describeTextStyle(65, std::nullopt, 16);
  EXPECT_EQ(d.styleFlags, 65);
  EXPECT_EQ(d.fontSize, 16);
  EXPECT_EQ(d.textColor, defaultTextColor());

  TextStyleDescription sizeless = d;
  sizeless.fontSize = 0;
  EXPECT_EQ(effectiveDescription(sizeless, false).styleFlags, defaultTextFlags());
  EXPECT_EQ(effectiveDescription(sizeless, true).styleFlags, defaultTextFlags() + 32);
  EXPECT_EQ(effectiveDescription(sizeless, false).fontSize, defaultFontSize());
  EXPECT_EQ(effectiveDescription(d, true).styleFlags, 65) << "a sized description is kept as it is";
}
