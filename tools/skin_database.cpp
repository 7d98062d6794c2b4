// Writes the built-in skin database from the images in assets/skin, with
// the toolkit's own writer, then reads the file back and checks it, so a
// fault in either side stops the build. The 46 items come first, in their
// order; the drawings for larger display scales follow as further items
// named with the scale's suffix, which a reader that looks items up by
// name or by those first indexes never meets.
//
//   skin_database IMAGE_DIR OUTPUT
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "toolkit/core/PictureScale.h"
#include "toolkit/core/SkinDatabase.h"

namespace {

struct BuiltinItem {
  const char* name;  // GBK, as the toolkit looks it up
  const char* file;
};

// The order is part of the format: controls may look items up by index.
constexpr BuiltinItem kItems[] = {
    {"调节钮_下", "spin_down.png"},
    {"调节钮_上", "spin_up.png"},
    {"图片正常", "picture_normal.png"},
    {"图片展开", "picture_expanded.png"},
    {"请勿打扰", "presence_do_not_disturb.png"},
    {"忙碌", "presence_busy.png"},
    {"离开", "presence_away.png"},
    {"Q我吧", "presence_online.png"},
    {"选中图片", "tree_selected.png"},
    {"选中实心", "tree_selected_solid.png"},
    {"未选中图片", "tree_unselected.png"},
    {"减号图", "tree_minus.png"},
    {"加号图", "tree_plus.png"},
    {"选择夹左", "tab_left.png"},
    {"选择夹右", "tab_right.png"},
    {"滚动条_竖下", "scroll_down.png"},
    {"滚动条_竖上", "scroll_up.png"},
    {"滚动条_横左", "scroll_left.png"},
    {"滚动条_横右", "scroll_right.png"},
    {"连接图片", "link.png"},
    {"子菜单", "submenu.png"},
    {"最小化_正常", "minimise_normal.png"},
    {"最小化_点燃", "minimise_hot.png"},
    {"最小化_按下", "minimise_pressed.png"},
    {"最大化_正常", "maximise_normal.png"},
    {"最大化_点燃", "maximise_hot.png"},
    {"最大化_按下", "maximise_pressed.png"},
    {"设置_正常", "settings_normal.png"},
    {"设置_点燃", "settings_hot.png"},
    {"设置_按下", "settings_pressed.png"},
    {"皮肤_正常", "skin_normal.png"},
    {"皮肤_点燃", "skin_hot.png"},
    {"皮肤_按下", "skin_pressed.png"},
    {"还原_正常", "restore_normal.png"},
    {"还原_点燃", "restore_hot.png"},
    {"还原_按下", "restore_pressed.png"},
    {"关闭_正常", "close_normal.png"},
    {"关闭_点燃", "close_hot.png"},
    {"关闭_按下", "close_pressed.png"},
    {"菜单_正常", "menu_normal.png"},
    {"菜单_点燃", "menu_hot.png"},
    {"菜单_按下", "menu_pressed.png"},
    {"QeUI_询问图标", "icon_question.png"},
    {"QeUI_信息图标", "icon_information.png"},
    {"QeUI_警告图标", "icon_warning.png"},
    {"QeUI_错误图标", "icon_error.png"},
};
static_assert(std::size(kItems) == 46);

bool readFile(const std::string& path, talvek::ByteBlock& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

// "close_normal.png" drawn for a larger scale: "close_normal@1.5x.png".
std::string scaledFile(const char* file, std::string_view suffix) {
  std::string name(file);
  const std::size_t dot = name.rfind('.');
  name.insert(dot == std::string::npos ? name.size() : dot, suffix);
  return name;
}

bool addItem(talvek::SkinDatabase& database, const std::string& name, const std::string& imageDir,
             const std::string& file) {
  talvek::SkinItem entry{name, 0, 0, {}};
  if (!readFile(imageDir + "/" + file, entry.data) || entry.data.empty()) {
    std::fprintf(stderr, "skin_database: cannot read %s/%s\n", imageDir.c_str(), file.c_str());
    return false;
  }
  database.addItem(std::move(entry));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skin_database IMAGE_DIR OUTPUT\n");
    return 2;
  }
  const std::string imageDir = argv[1];
  const std::string output = argv[2];

  talvek::SkinDatabase database;
  for (const BuiltinItem& item : kItems) {
    if (!addItem(database, item.name, imageDir, item.file)) return 1;
  }
  for (const talvek::LargerPictureScale& larger : talvek::kLargerPictureScales) {
    for (const BuiltinItem& item : kItems) {
      if (!addItem(database, std::string(item.name) + std::string(larger.suffix), imageDir,
                   scaledFile(item.file, larger.suffix))) {
        return 1;
      }
    }
  }
  if (!database.saveToFile(output)) {
    std::fprintf(stderr, "skin_database: cannot write %s\n", output.c_str());
    return 1;
  }

  talvek::SkinDatabase check;
  if (!check.loadFromFile(output) || check.items() != database.items() || !check.description().empty()) {
    std::fprintf(stderr, "skin_database: %s does not read back as written\n", output.c_str());
    std::remove(output.c_str());
    return 1;
  }
  return 0;
}
