#include "installer/InstallPathRules.h"

#include <gtest/gtest.h>

using namespace talvek;

TEST(InstallPathRules, ChineseCharactersAnywhereAreRejected) {
  EXPECT_TRUE(containsChinese("C:\\Program Files\\腾讯\\Talvek\\"));
  EXPECT_TRUE(containsChinese("啊"));              // B0A1, the first GB2312 character
  EXPECT_TRUE(containsChinese("x\xF7\xFE"));       // F7FE, the last
  EXPECT_TRUE(containsChinese("ＡＢ中"));           // after full-width letters
  EXPECT_TRUE(containsChinese("D:\\【游】"));         // between symbols
  EXPECT_FALSE(containsChinese("C:\\Program Files\\Talvek\\"));
  EXPECT_FALSE(containsChinese(""));
}

TEST(InstallPathRules, FullWidthLettersDigitsAndSymbolsAreAccepted) {
  EXPECT_FALSE(containsChinese("D:\\Ｇａｍｅｓ１２３\\Talvek\\"));
  EXPECT_FALSE(containsChinese("D:\\a　b\\"));       // full-width space
  EXPECT_FALSE(containsChinese("D:\\【】·※\\"));
  EXPECT_FALSE(containsChinese("\x81\x40\xFE\x50"));  // GBK extension areas
  EXPECT_FALSE(containsChinese("\xB0\x40"));          // GBK, outside the GB2312 rows
  EXPECT_FALSE(containsChinese("x\xB0"));             // a lone lead byte at the end
}

TEST(InstallPathRules, TheProductAlwaysGetsItsOwnFolder) {
  EXPECT_EQ(folderDialogResult("D:\\"), "D:\\Talvek\\");
  EXPECT_EQ(folderDialogResult("D:\\Games"), "D:\\Games\\Talvek\\");
  // A trail byte that equals '\\' is part of its character, not a separator.
  EXPECT_EQ(folderDialogResult("D:\\\x95\x5C"), "D:\\\x95\x5C\\Talvek\\");
  EXPECT_EQ(defaultInstallDirectory(std::string("C:\\Program Files")), "C:\\Program Files\\Talvek\\");
  EXPECT_EQ(defaultInstallDirectory(std::nullopt), "\\Talvek\\");
}
