#include <windows.h>

#include <gtest/gtest.h>

#include "tests/windows/TestSupport.h"
#include "toolkit/core/BuiltinSkin.h"
#include "toolkit/core/SkinDatabase.h"

using namespace talvek;

TEST(SkinDatabaseFile, RoundTripsThroughAFileWithAChinesePath) {
  test::ScratchDir dir;
  SkinDatabase builtin;
  ASSERT_TRUE(builtin.loadFromBytes(builtinSkinBlock()));
  builtin.setDescription("深色皮肤");
  const std::string path = dir.path() + "皮肤库.db";
  ASSERT_TRUE(builtin.saveToFile(path));
  EXPECT_TRUE(test::fileExists(path));

  SkinDatabase loaded;
  ASSERT_TRUE(loaded.loadFromFile(path));
  EXPECT_EQ(loaded.items(), builtin.items());
  EXPECT_EQ(loaded.description(), "深色皮肤");

  // A read-only skin file still loads.
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  SkinDatabase readOnly;
  EXPECT_TRUE(readOnly.loadFromFile(path));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

  EXPECT_FALSE(SkinDatabase().loadFromFile(dir.path() + "缺少.db"));
  EXPECT_FALSE(builtin.saveToFile(dir.path() + "无此目录\\x.db"));
}
