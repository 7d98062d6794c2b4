#include <gtest/gtest.h>

#include "netutil/CookieText.h"

namespace talvek {
namespace {

TEST(CookieText, FreshValuesReplaceOldOnesAndComeFirst) {
  std::string jar = "a=0; c=3";
  EXPECT_EQ(mergeCookies(jar, "a=1; b=2"), "a=1; b=2; c=3");
  EXPECT_EQ(jar, "a=1; b=2; c=3");
}

TEST(CookieText, DeletedValueRemovesTheCookie) {
  std::string jar = "a=0; c=3";
  EXPECT_EQ(mergeCookies(jar, "c=deleted"), "a=0");
}

TEST(CookieText, EmptyTextsAddNoSeparators) {
  std::string jar = "a=0";
  EXPECT_EQ(mergeCookies(jar, ""), "a=0");
  std::string empty;
  EXPECT_EQ(mergeCookies(empty, "b=1"), "b=1");
  EXPECT_EQ(mergeCookies(empty, ""), "b=1");
}

TEST(CookieText, SpacesOfBothWidthsAreDroppedButNotInsideCharacters) {
  std::string jar;
  // A full-width space goes; the bytes A1 A1 that straddle two characters
  // (B0A1 then A1B1) are no space and stay.
  EXPECT_EQ(mergeCookies(jar, " a = 1 ;　b=2"), "a=1; b=2");
  std::string gbk;
  EXPECT_EQ(mergeCookies(gbk, "x=\xB0\xA1\xA1\xB1"), "x=\xB0\xA1\xA1\xB1");
}

TEST(CookieText, OfTwoJarItemsOfOneNameTheFirstStays) {
  std::string jar = "a=1; b=2; a=3";
  EXPECT_EQ(mergeCookies(jar, ""), "a=1; b=2");
  jar = "a=1; b=2; a=3; b=4";
  EXPECT_EQ(mergeCookies(jar, "b=9"), "b=9; a=1");
}

TEST(CookieText, PairsOfSeveralResponsesAreJoinedBySeparators) {
  EXPECT_EQ(appendCookiePairs("", "a=1; b=2"), "a=1; b=2");
  EXPECT_EQ(appendCookiePairs("a=1", "b=2"), "a=1; b=2");
  // A response without cookies leaves the earlier pairs whole.
  EXPECT_EQ(appendCookiePairs("a=1", ""), "a=1");
  EXPECT_EQ(appendCookiePairs("", ""), "");
}

TEST(CookieText, NamesAndDuplicates) {
  EXPECT_EQ(cookieName(" sid =abc=def"), "sid");
  EXPECT_EQ(cookieName("flag"), "flag");
  EXPECT_EQ(removeDuplicateItems("a; b; a; B; b", "; "), "a; b; B");
  EXPECT_EQ(removeDuplicateItems("", "; "), "");
}

}  // namespace
}  // namespace talvek
