#include "installer/ShortcutRules.h"

#include <gtest/gtest.h>

using namespace talvek;

TEST(ShortcutRules, DesktopLinkPathUsesTheFileNameAndAddsLnkOnce) {
  const std::string desktop = "C:\\Users\\u\\Desktop\\";
  EXPECT_EQ(desktopLinkPath(desktop, "Talvek·新神器"), desktop + "Talvek·新神器.lnk");
  EXPECT_EQ(desktopLinkPath(desktop, "D:\\x\\Talvek"), desktop + "Talvek.lnk");
  EXPECT_EQ(desktopLinkPath(desktop, "Talvek.LNK"), desktop + "Talvek.LNK");
  EXPECT_EQ(desktopLinkPath(desktop, "my.lnk.backup"), desktop + "my.lnk.backup");
  // 0x95 0x5C is one character: its trail byte is no separator.
  EXPECT_EQ(desktopLinkPath(desktop, "\x95\x5C" "a"), desktop + "\x95\x5C" "a.lnk");
}

TEST(ShortcutRules, WorkingDirectoryIsEverythingBeforeTheLastPart) {
  EXPECT_EQ(workingDirectoryOf("C:\\Program Files\\Talvek\\Talvek.exe"), "C:\\Program Files\\Talvek\\");
  EXPECT_EQ(workingDirectoryOf("C:\\Talvek.exe"), "C:\\");
  EXPECT_EQ(workingDirectoryOf("Talvek.exe"), std::nullopt);
  EXPECT_EQ(workingDirectoryOf(""), std::nullopt);
}

TEST(ShortcutRules, IconLocationFollowsTheTargetsExtension) {
  EXPECT_EQ(iconLocationFor("C:\\T\\Talvek.exe", std::nullopt), "C:\\T\\Talvek.exe,0");
  EXPECT_EQ(iconLocationFor("C:\\T\\Talvek", std::nullopt), "SHELL32.dll,4");
  EXPECT_EQ(iconLocationFor("C:\\T.d\\Talvek", std::nullopt), "SHELL32.dll,4");
  EXPECT_EQ(iconLocationFor("C:\\T\\a.b c", std::nullopt), "SHELL32.dll,4");
  EXPECT_EQ(iconLocationFor("C:\\T\\Talvek.exe", std::string("x.ico,2")), "x.ico,2");
}
