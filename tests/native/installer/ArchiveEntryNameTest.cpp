#include "installer/ArchiveEntryName.h"

#include <gtest/gtest.h>

using talvek::safeRelativePath;

TEST(ArchiveEntryName, TurnsNamesIntoRelativeWindowsPaths) {
  EXPECT_EQ(safeRelativePath("Talvek.exe"), "Talvek.exe");
  EXPECT_EQ(safeRelativePath("Auxiliary/Beacon.exe"), "Auxiliary\\Beacon.exe");
  EXPECT_EQ(safeRelativePath("Auxiliary/"), "Auxiliary\\");
  EXPECT_EQ(safeRelativePath("images/Guide/"), "images\\Guide\\");
  EXPECT_EQ(safeRelativePath("a//b/./c"), "a\\b\\c");
  // "..x" is a name, not a step up.
  EXPECT_EQ(safeRelativePath("..x/y"), "..x\\y");
}

TEST(ArchiveEntryName, RefusesNamesThatLeaveTheDestination) {
  for (const char* name : {"", "/", "/etc/passwd", "\\Windows\\evil.dll", "../evil.exe", "a/../../evil.exe",
                           "a\\..\\b", "..", "C:evil.exe", "C:\\evil.exe", "a/b:stream", "./", "\\\\server\\x"}) {
    EXPECT_EQ(safeRelativePath(name), std::nullopt) << name;
  }
}

TEST(ArchiveEntryName, KeepsTwoByteCharactersWhoseTrailByteLooksLikeASeparator) {
  // 0x95 0x5C is one GBK character; its trail byte is '\\'.
  EXPECT_EQ(safeRelativePath("\x95\x5C.txt"), "\x95\x5C.txt");
  EXPECT_EQ(safeRelativePath("使用说明.txt"), "使用说明.txt");
  EXPECT_EQ(safeRelativePath("dir/\x95\x5C/x"), "dir\\\x95\x5C\\x");
}

TEST(ArchiveEntryName, AStrayLeadByteDoesNotHideAColonOrSeparator) {
  // 0xA1 0x3A is no GBK character: Windows reads the ':' as a colon.
  EXPECT_EQ(safeRelativePath("\xA1:evil"), std::nullopt);
  EXPECT_EQ(safeRelativePath("\xA1/../../evil"), std::nullopt);
  EXPECT_EQ(safeRelativePath("x\xA1/y"), "x\xA1\\y");
}
