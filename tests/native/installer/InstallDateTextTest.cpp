#include "installer/InstallDateText.h"

#include <gtest/gtest.h>

using talvek::installDateText;

TEST(InstallDateText, LeavesOutTrailingZeroPartsFromTheSecondUp) {
  EXPECT_EQ(installDateText({2015, 7, 18, 12, 30, 45}), "2015年7月18日12时30分45秒");
  EXPECT_EQ(installDateText({2015, 7, 18, 12, 30, 0}), "2015年7月18日12时30分");
  EXPECT_EQ(installDateText({2015, 7, 18, 12, 0, 0}), "2015年7月18日12时");
  EXPECT_EQ(installDateText({2015, 7, 18, 0, 0, 0}), "2015年7月18日");
  // A zero in the middle is kept once a later part is not zero.
  EXPECT_EQ(installDateText({2026, 1, 2, 0, 0, 5}), "2026年1月2日0时0分5秒");
  EXPECT_EQ(installDateText({2026, 12, 31, 0, 7, 0}), "2026年12月31日0时7分");
}
