#include "installer/VersionCode.h"

#include <gtest/gtest.h>

using namespace talvek;

TEST(VersionCode, MapsNtVersions) {
  EXPECT_EQ(versionCodeFromNt(3, 51), kVersionNt4);
  EXPECT_EQ(versionCodeFromNt(4, 0), kVersionNt4);
  EXPECT_EQ(versionCodeFromNt(5, 0), kVersion2000);
  EXPECT_EQ(versionCodeFromNt(5, 1), kVersionXp);
  EXPECT_EQ(versionCodeFromNt(5, 2), kVersion2003);
  EXPECT_EQ(versionCodeFromNt(5, 3), kVersionOther);
  EXPECT_EQ(versionCodeFromNt(6, 0), kVersionVista);
  EXPECT_EQ(versionCodeFromNt(6, 1), kVersion7);
  // 8, 8.1, 10 and 11 are deliberately "other".
  EXPECT_EQ(versionCodeFromNt(6, 2), kVersionOther);
  EXPECT_EQ(versionCodeFromNt(6, 3), kVersionOther);
  EXPECT_EQ(versionCodeFromNt(10, 0), kVersionOther);
}

TEST(VersionCode, Win9xMarkerIsTestedInOrder) {
  const std::uint32_t none[3] = {0, 0, 0};
  const std::uint32_t second[3] = {1, 0x530000, 0x530000};
  const std::uint32_t third[3] = {0x530001, 0, 0x530000};
  EXPECT_EQ(versionCodeFrom9x(none), 0);
  EXPECT_EQ(versionCodeFrom9x(second), 2);
  EXPECT_EQ(versionCodeFrom9x(third), 3);
}
