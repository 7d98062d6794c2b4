#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "toolkit/core/BuiltinSkin.h"
#include "toolkit/core/ImageDecoder.h"
#include "toolkit/core/PictureScale.h"
#include "toolkit/core/SkinDatabaseFormat.h"
#include "toolkit/core/SkinRecord.h"
#include "tests/windows/controls/TestImages.h"

using namespace talvek;

namespace {

void startGdiplusForTheProcess() {
  static const bool started = GdiplusSession().release() != 0;
  ASSERT_TRUE(started);
}

struct Size {
  UINT width = 0;
  UINT height = 0;
  bool operator==(const Size&) const = default;
};

Size sizeOf(Gdiplus::GpBitmap* bitmap) {
  Size size;
  gdip::GdipGetImageWidth(bitmap, &size.width);
  gdip::GdipGetImageHeight(bitmap, &size.height);
  return size;
}

Gdiplus::ARGB pixel(Gdiplus::GpBitmap* bitmap, int x, int y) {
  Gdiplus::ARGB color = 0;
  gdip::GdipBitmapGetPixel(bitmap, x, y, &color);
  return color;
}

bool isPng(const ByteBlock& data) {
  static const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return data.size() > sizeof signature && std::equal(std::begin(signature), std::end(signature), data.begin());
}

}  // namespace

// The 46 images first, as older readers know them; then each larger scale's
// drawings of them, in the same order, named with the scale's suffix.
TEST(BuiltinSkin, HoldsTheFortySixImagesInOrderThenTheirLargerDrawingsAndEndsAtItsLastByte) {
  const char* expected[] = {
      "调节钮_下", "调节钮_上", "图片正常", "图片展开", "请勿打扰", "忙碌", "离开", "Q我吧", "选中图片", "选中实心",
      "未选中图片", "减号图", "加号图", "选择夹左", "选择夹右", "滚动条_竖下", "滚动条_竖上", "滚动条_横左",
      "滚动条_横右", "连接图片", "子菜单", "最小化_正常", "最小化_点燃", "最小化_按下", "最大化_正常", "最大化_点燃",
      "最大化_按下", "设置_正常", "设置_点燃", "设置_按下", "皮肤_正常", "皮肤_点燃", "皮肤_按下", "还原_正常",
      "还原_点燃", "还原_按下", "关闭_正常", "关闭_点燃", "关闭_按下", "菜单_正常", "菜单_点燃", "菜单_按下",
      "QeUI_询问图标", "QeUI_信息图标", "QeUI_警告图标", "QeUI_错误图标"};
  ByteView block = builtinSkinBlock();
  auto parsed = parseSkinDatabase(block, RecordFraming::IgnoreLength);
  ASSERT_TRUE(parsed);
  EXPECT_TRUE(parsed->description.empty());
  const std::size_t count = std::size(expected);
  ASSERT_EQ(parsed->items.size(), count * (1 + kLargerPictureScales.size()));
  // The 1.5x drawings stay where the first larger ones were.
  EXPECT_EQ(parsed->items[count].name, std::string("调节钮_下") + "@1.5x");
  for (std::size_t i = 0; i < parsed->items.size(); ++i) {
    const SkinItem& item = parsed->items[i];
    std::string name = expected[i % count];
    if (i >= count) name += kLargerPictureScales[i / count - 1].suffix;
    EXPECT_EQ(item.name, name) << i;
    EXPECT_EQ(item.keyA, 0);
    EXPECT_EQ(item.keyB, 0);
    EXPECT_TRUE(isPng(item.data)) << name;
    EXPECT_LE(item.data.size(), 1100u) << name;
  }
  // Written back it is the same block: nothing follows the last item.
  auto rewritten = encodeSkinDatabase(*parsed);
  ASSERT_TRUE(rewritten);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), rewritten->begin(), rewritten->end()));
  // The file reading (records framed by their lengths) agrees.
  auto framed = parseSkinDatabase(block, RecordFraming::ByLength);
  ASSERT_TRUE(framed);
  EXPECT_EQ(framed->items, parsed->items);
}

TEST(SkinRecord, LoadsEveryMemberTheSkinProvidesAndLeavesTheRestEmpty) {
  startGdiplusForTheProcess();
  loadSkin(builtinSkinBlock());
  const SkinRecord& r = skinRecord();

  for (int button : {kCloseButton, kMaximiseButton, kRestoreButton, kMinimiseButton, kMenuButton, kSkinButton}) {
    for (const auto& state : r.captionButtons[button]) {
      ASSERT_TRUE(state) << button;
      EXPECT_EQ(sizeOf(state.get()), (Size{28, 24})) << button;
    }
  }
  for (const auto& state : r.captionButtons[kHelpButton]) EXPECT_FALSE(state);
  // The hot close button is the theme red, the normal one transparent there.
  EXPECT_EQ(pixel(r.captionButtons[kCloseButton][kHotState].get(), 4, 4), 0xFFB31935u);
  EXPECT_EQ(pixel(r.captionButtons[kCloseButton][kNormalState].get(), 4, 4) >> 24, 0u);

  for (const auto& arrow : r.scrollArrows) EXPECT_TRUE(arrow);
  for (const auto& row : r.checkBox) {
    for (const auto& box : row) EXPECT_FALSE(box);
  }
  for (const auto& row : r.radioBox) {
    for (const auto& box : row) EXPECT_FALSE(box);
  }
  for (const auto& glyph : r.treeGlyphs) EXPECT_TRUE(glyph);
  for (const auto& image : r.statusImages) EXPECT_TRUE(image);

  for (const auto& bytes : r.tabEnds) EXPECT_TRUE(isPng(bytes));
  for (const auto& bytes : r.messageIcons) EXPECT_TRUE(isPng(bytes));
  for (const auto& bytes : r.scrollArrowBytes) EXPECT_TRUE(isPng(bytes));
  EXPECT_TRUE(isPng(r.linkImage));
  EXPECT_TRUE(isPng(r.submenuArrow));
  EXPECT_TRUE(r.progressImage.empty());
  EXPECT_TRUE(r.sliderTrack.empty());
  for (const auto& bytes : r.dateButtons) EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(r.messageIcons[0], r.database.getData("QeUI_信息图标"));
  EXPECT_EQ(r.scrollArrowBytes[1], r.database.getData("滚动条_竖下"));
}

TEST(SkinRecord, AMalformedBlockKeepsTheLoadedSkin) {
  startGdiplusForTheProcess();
  loadSkin(builtinSkinBlock());
  ByteView good = builtinSkinBlock();
  ByteBlock truncated(good.begin(), good.begin() + good.size() / 2);
  loadSkin(truncated);
  EXPECT_EQ(skinRecord().database.items().size(), 46u * (1 + kLargerPictureScales.size()));
  EXPECT_TRUE(skinRecord().captionButtons[kMinimiseButton][kPressedState]);
  loadSkin(ByteBlock{});
  EXPECT_EQ(skinRecord().database.items().size(), 46u * (1 + kLargerPictureScales.size()));
}

TEST(ImageDecoder, DecodesAtNaturalOrGivenSize) {
  startGdiplusForTheProcess();
  ByteBlock png = skinRecord().database.getData("QeUI_错误图标");
  if (png.empty()) {
    loadSkin(builtinSkinBlock());
    png = skinRecord().database.getData("QeUI_错误图标");
  }
  GdiplusBitmap natural = decodeImage(png);
  ASSERT_TRUE(natural);
  EXPECT_EQ(sizeOf(natural.get()), (Size{32, 32}));
  EXPECT_EQ(pixel(natural.get(), 16, 6) >> 24, 0xFFu);  // inside the disc
  EXPECT_EQ(pixel(natural.get(), 0, 0) >> 24, 0u);      // transparent corner

  GdiplusBitmap scaled = decodeImage(png, 64, 16);
  ASSERT_TRUE(scaled);
  EXPECT_EQ(sizeOf(scaled.get()), (Size{64, 16}));
  Gdiplus::PixelFormat format = 0;
  gdip::GdipGetImagePixelFormat(scaled.get(), &format);
  EXPECT_EQ(format, PixelFormat32bppARGB);

  GdiplusBitmap wider = decodeImage(png, 48);
  ASSERT_TRUE(wider);
  EXPECT_EQ(sizeOf(wider.get()), (Size{48, 32}));

  EXPECT_FALSE(decodeImage(ByteBlock{}));
  EXPECT_FALSE(decodeImage(ByteBlock{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'}));
  EXPECT_FALSE(decodeImage(ByteBlock(png.begin(), png.begin() + 20)));
  EXPECT_FALSE(decodeImage(png, 0, 10));
  EXPECT_FALSE(decodeImage(png, -5, 10));
}

// At its own size a picture is copied rather than drawn: the copy must be
// what drawing gave, translucent pixels and coloured transparent ones too.
TEST(ImageDecoder, AtItsOwnSizeGivesWhatDrawingItGave) {
  startGdiplusForTheProcess();
  const test::PixelRule rule = [](int x, int y) {
    return static_cast<Argb>((x % 8) * 36) << 24 | static_cast<Argb>(y * 4) << 16 | 0x8000u | static_cast<Argb>(x * 4);
  };
  const GdiplusImage source = test::makeImage(64, 64, rule);
  GdiplusBitmap drawn;
  ASSERT_EQ(gdip::GdipCreateBitmapFromScan0(64, 64, 0, PixelFormat32bppARGB, nullptr, drawn.put()), Gdiplus::Ok);
  {
    GdiplusGraphics graphics;
    ASSERT_EQ(gdip::GdipGetImageGraphicsContext(drawn.get(), graphics.put()), Gdiplus::Ok);
    gdip::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);
    gdip::GdipDrawImageRectI(graphics.get(), source.get(), 0, 0, 64, 64);
  }
  const GdiplusBitmap copied = decodeImage(test::pngBytes(64, 64, rule));
  ASSERT_TRUE(copied);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) ASSERT_EQ(pixel(copied.get(), x, y), pixel(drawn.get(), x, y)) << x << ", " << y;
  }
}
