#include "toolkit/controls/AnsiCharWidth.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/controls/EditTextModel.h"

using namespace talvek;

TEST(AnsiCharWidth, ChineseTakesTwoBytesAsciiOneAndUnmappableNone) {
  ASSERT_EQ(GetACP(), 936u) << "the test prefix runs in the Chinese code page";
  EXPECT_TRUE(takesTwoAnsiBytes(u'中'));
  EXPECT_TRUE(takesTwoAnsiBytes(u'，'));
  EXPECT_FALSE(takesTwoAnsiBytes(u'a'));
  EXPECT_FALSE(takesTwoAnsiBytes(static_cast<char16_t>(0xD800))) << "a lone surrogate";
  EXPECT_FALSE(takesTwoAnsiBytes(u'\u0E01')) << "Thai has no GBK form";

  EditTextModel model;
  model.setInputMode(static_cast<int>(EditInputMode::kDoubleByte));
  model.setDoubleByteTest(takesTwoAnsiBytes);
  for (char16_t c : std::u16string(u"a中\u0E01文")) model.character(c, {});
  EXPECT_EQ(model.text(), u"中文");
}
