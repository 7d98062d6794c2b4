#include "toolkit/core/SkinRecord.h"

#include <string>
#include <string_view>

#include "toolkit/core/PictureVariants.h"

namespace talvek {
namespace {

// Name lists are std::arrays sized by their initialisers, so a list that
// does not match its member's shape fails to compile.
template <std::size_t N>
using Names = std::array<std::string_view, N>;

// The image with the larger drawings the database holds for it, under its
// name and a scale's suffix.
void decodeInto(const SkinDatabase& database, GdiplusBitmap& member, std::string_view name) {
  member = decodePicture(database.getData(name), [&](std::string_view suffix) {
    return database.getData(std::string(name) + std::string(suffix));
  });
}

template <std::size_t N>
void decodeInto(const SkinDatabase& database, std::array<GdiplusBitmap, N>& members, const Names<N>& names) {
  for (std::size_t i = 0; i < N; ++i) decodeInto(database, members[i], names[i]);
}

template <std::size_t N, std::size_t M>
void decodeInto(const SkinDatabase& database, std::array<std::array<GdiplusBitmap, M>, N>& members,
                const Names<N * M>& names) {
  for (std::size_t i = 0; i < N * M; ++i) decodeInto(database, members[i / M][i % M], names[i]);
}

template <std::size_t N>
void copyInto(const SkinDatabase& database, std::array<ByteBlock, N>& members, const Names<N>& names) {
  for (std::size_t i = 0; i < N; ++i) members[i] = database.getData(names[i]);
}

constexpr auto kCaptionButtonNames = std::to_array<std::string_view>(
    {"关闭_正常", "关闭_点燃", "关闭_按下", "最大化_正常", "最大化_点燃", "最大化_按下", "还原_正常", "还原_点燃",
     "还原_按下", "最小化_正常", "最小化_点燃", "最小化_按下", "菜单_正常", "菜单_点燃", "菜单_按下", "帮助_正常",
     "帮助_点燃", "帮助_按下", "皮肤_正常", "皮肤_点燃", "皮肤_按下"});
constexpr auto kScrollArrowNames = std::to_array<std::string_view>({"滚动条_横左", "滚动条_横右", "滚动条_竖上", "滚动条_竖下"});
constexpr auto kCheckBoxNames = std::to_array<std::string_view>(
    {"选择框_正常_正常", "选择框_正常_选中", "选择框_点燃_正常", "选择框_点燃_选中", "选择框_按下_正常", "选择框_按下_选中"});
constexpr auto kRadioBoxNames = std::to_array<std::string_view>(
    {"单选框_正常_正常", "单选框_正常_选中", "单选框_点燃_正常", "单选框_点燃_选中", "单选框_按下_正常", "单选框_按下_选中"});
constexpr auto kTabEndNames = std::to_array<std::string_view>({"选择夹左", "选择夹右"});
constexpr auto kMessageIconNames =
    std::to_array<std::string_view>({"QeUI_信息图标", "QeUI_询问图标", "QeUI_错误图标", "QeUI_警告图标"});
constexpr auto kDateButtonNames = std::to_array<std::string_view>({"Year_加", "Month_加"});
constexpr auto kTreeGlyphNames = std::to_array<std::string_view>({"加号图", "减号图", "选中图片", "未选中图片", "选中实心"});
constexpr auto kStatusImageNames =
    std::to_array<std::string_view>({"图片正常", "图片展开", "Q我吧", "离开", "忙碌", "请勿打扰"});
constexpr auto kScrollArrowByteNames = std::to_array<std::string_view>({"滚动条_竖上", "滚动条_竖下"});

}  // namespace

SkinRecord& skinRecord() {
  // Never destroyed: its bitmaps must not be disposed after GDI+ is gone.
  static SkinRecord* record = new SkinRecord;
  return *record;
}

void loadSkin(ByteView block) {
  SkinRecord& r = skinRecord();
  r.database.loadFromBytes(block);
  const SkinDatabase& db = r.database;

  decodeInto(db, r.captionButtons, kCaptionButtonNames);
  decodeInto(db, r.scrollArrows, kScrollArrowNames);
  decodeInto(db, r.checkBox, kCheckBoxNames);
  decodeInto(db, r.radioBox, kRadioBoxNames);
  copyInto(db, r.tabEnds, kTabEndNames);
  copyInto(db, r.messageIcons, kMessageIconNames);
  r.linkImage = db.getData("连接图片");
  r.progressImage = db.getData("进度图片");
  copyInto(db, r.dateButtons, kDateButtonNames);
  r.sliderTrack = db.getData("滑块条_背");
  decodeInto(db, r.treeGlyphs, kTreeGlyphNames);
  r.submenuArrow = db.getData("子菜单");
  decodeInto(db, r.statusImages, kStatusImageNames);
  copyInto(db, r.scrollArrowBytes, kScrollArrowByteNames);
}

}  // namespace talvek
