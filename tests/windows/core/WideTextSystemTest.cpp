#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/core/CodePage.h"
#include "toolkit/core/WideText.h"
#include "toolkit/core/WinHandles.h"

using talvek::WideText;

TEST(WideTextSystem, GbkTextRoundTrips) {
  ASSERT_EQ(GetACP(), 936u) << "the test prefix must run with code page 936";
  const char* samples[] = {"Talvek - 在线安装", "使用说明.txt", "关闭_按下", "微软雅黑", "a", ""};
  for (const char* sample : samples) {
    WideText t;
    t.assignAnsi(sample);
    EXPECT_EQ(t.toAnsi(), sample);
  }
  WideText t;
  t.assignAnsi("中文");
  EXPECT_EQ(t.toUtf16(), u"中文");
  EXPECT_EQ(t.bytes().size(), 4u);  // no terminator
  EXPECT_EQ(t.lengthW(), 2);
}

TEST(WideTextSystem, CharactersWithoutAGbkFormDoNotCutTheText) {
  EXPECT_EQ(WideText::fromUtf16(u"a\u0E01b").toAnsi(), "a?b");
}

TEST(WideTextSystem, EmptyAnsiGivesAnEmptyBuffer) {
  WideText t = WideText::fromUtf16(u"x");
  t.assignAnsi("");
  EXPECT_TRUE(t.isEmpty());
  EXPECT_EQ(t.lengthW(), 0);
  EXPECT_EQ(t.toAnsi(), "");
}

TEST(WideTextSystem, AnsiVariantsConvertBothWays) {
  WideText t;
  t.assignAnsi("安装目录");
  t.insertAnsi(2, "的");
  t.appendAnsi("!");
  EXPECT_EQ(t.toAnsi(), "安装的目录!");
  EXPECT_EQ(t.leftAnsi(2), "安装");
  EXPECT_EQ(t.rightAnsi(3), "目录!");
  EXPECT_EQ(t.midAnsi(3, 1), "的");
  t.replaceAnsi("的", "");
  EXPECT_EQ(t.toAnsi(), "安装目录!");
  // Conversion stops at the first zero code unit.
  t.appendChar(0);
  t.appendAnsi("tail");
  EXPECT_EQ(t.toAnsi(), "安装目录!");
}

TEST(WideTextSystem, ReadsAWindowTextWithOneTerminator) {
  talvek::Window window(CreateWindowExW(0, L"STATIC", L"abc", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  WideText t;
  t.assignWindowText(window.get());
  EXPECT_EQ(t.getData(true), WideText::fromUtf16(u"abc").getData(false));
  EXPECT_EQ(t.lengthW(), 3);

  SetWindowTextW(window.get(), L"下载中");
  t.assignWindowText(window.get());
  EXPECT_EQ(t.toUtf16(), u"下载中");
  EXPECT_EQ(t.bytes().size(), 8u);

  SetWindowTextW(window.get(), L"");
  t.assignWindowText(window.get());
  EXPECT_EQ(t.bytes().size(), 2u);
}

TEST(WideTextSystem, CopiesToTheClipboardWithATerminator) {
  WideText t = WideText::fromUtf16(u"剪贴板");
  t.copyToClipboard();
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  std::u16string read;
  if (auto p = static_cast<const char16_t*>(data ? GlobalLock(data) : nullptr)) {
    read = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  EXPECT_EQ(read, u"剪贴板");
}
