#include "installer/ShortcutPlaces.h"

#include <gtest/gtest.h>

#include "installer/SpecialFolder.h"

using namespace talvek;

TEST(ShortcutPlaces, LinksGoIntoTheNamedFolders) {
  ShortcutPlaces places = ShortcutPlaces::find([](int code) {
    if (code == kFolderDesktop) return std::string("C:\\D\\");
    if (code == kFolderStartMenu) return std::string("C:\\S\\");
    if (code == kFolderPrograms) return std::string("C:\\S\\P\\");
    return std::string();
  });
  EXPECT_EQ(places.desktopFolder, "C:\\D\\");
  EXPECT_EQ(places.startMenuLink, "C:\\S\\Talvek.lnk");
  EXPECT_EQ(places.programsFolder, "C:\\S\\P\\Talvek");
  EXPECT_EQ(places.programsLink, "C:\\S\\P\\Talvek\\启动Talvek.lnk");
}

TEST(ShortcutPlaces, AFolderThatCannotBeNamedLeavesItsPlacesEmpty) {
  // Not "Talvek.lnk": that would be a link in the current directory.
  ShortcutPlaces none = ShortcutPlaces::find([](int) { return std::string(); });
  EXPECT_EQ(none.desktopFolder, "");
  EXPECT_EQ(none.startMenuLink, "");
  EXPECT_EQ(none.programsFolder, "");
  EXPECT_EQ(none.programsLink, "");

  ShortcutPlaces noPrograms =
      ShortcutPlaces::find([](int code) { return code == kFolderPrograms ? std::string() : std::string("C:\\F\\"); });
  EXPECT_EQ(noPrograms.startMenuLink, "C:\\F\\Talvek.lnk");
  EXPECT_EQ(noPrograms.programsFolder, "");
  EXPECT_EQ(noPrograms.programsLink, "");
}
