#include "toolkit/richedit/PostedContent.h"

#include <gtest/gtest.h>

#include "toolkit/richedit/Utf8.h"

namespace talvek::richedit {
namespace {

HttpRequest post(std::string path, std::string body) {
  return HttpRequest{std::move(path), true, std::move(body)};
}

TEST(PostedContent, NamesTheControlTheKindAndTheUtf16Text) {
  auto content = postedContent(post("/cmd/get/text", "42|h\xC3\xA9llo"));
  ASSERT_TRUE(content);
  EXPECT_EQ(content->control, 42);
  EXPECT_EQ(content->kind, ContentKind::Text);
  EXPECT_EQ(content->text, u"h\u00e9llo");

  content = postedContent(post("/cmd/get/html", "7|<b>a|b</b>"));
  ASSERT_TRUE(content);
  EXPECT_EQ(content->kind, ContentKind::Html);
  EXPECT_EQ(content->text, u"<b>a|b</b>");
}

TEST(PostedContent, TheContentEndsAtItsFirstZeroByte) {
  const auto content = postedContent(post("/cmd/get/text", std::string("5|ab\0cd", 7)));
  ASSERT_TRUE(content);
  EXPECT_EQ(content->text, u"ab");
}

TEST(PostedContent, NothingIsDeliveredWithoutABarALiveIdentifierOrACommandPath) {
  EXPECT_FALSE(postedContent(post("/cmd/get/text", "42hello")));
  EXPECT_FALSE(postedContent(post("/cmd/get/text", "0|x")));
  EXPECT_FALSE(postedContent(post("/cmd/get/text", "-3|x")));
  EXPECT_FALSE(postedContent(post("/cmd/get/text", "abc|x")));
  EXPECT_FALSE(postedContent(post("/web/default", "42|x")));
  EXPECT_FALSE(postedContent(post("/cmd/get/TEXT", "42|x")));
  EXPECT_FALSE(postedContent(HttpRequest{"/cmd/get/text", true, std::nullopt}));
  EXPECT_FALSE(postedContent(HttpRequest{"/cmd/get/text", false, std::string("42|x")}));
}

TEST(ControlIdentifier, IsADecimalNumberAndNothingElse) {
  EXPECT_EQ(parseControlIdentifier("42"), 42);
  EXPECT_EQ(parseControlIdentifier("+42"), 42);
  EXPECT_EQ(parseControlIdentifier("-42"), -42);
  EXPECT_EQ(parseControlIdentifier("2147483647"), 2147483647);
  EXPECT_EQ(parseControlIdentifier("2147483648"), 0);
  EXPECT_EQ(parseControlIdentifier("99999999999999999999"), 0);
  EXPECT_EQ(parseControlIdentifier(""), 0);
  EXPECT_EQ(parseControlIdentifier("-"), 0);
  EXPECT_EQ(parseControlIdentifier("4 2"), 0);
  EXPECT_EQ(parseControlIdentifier("42abc"), 0);
}

TEST(Utf8ToUtf16, ConvertsEveryPlane) {
  EXPECT_EQ(utf8ToUtf16(""), u"");
  EXPECT_EQ(utf8ToUtf16("a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80"), u"a\u00e9\u4e2d\U0001F600");
}

TEST(Utf8ToUtf16, EachMalformedSequenceBecomesOneReplacement) {
  EXPECT_EQ(utf8ToUtf16("\x80" "a"), u"\uFFFDa");           // stray continuation
  EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");      // overlong lead never valid
  EXPECT_EQ(utf8ToUtf16("\xE0\x80\x80"), u"\uFFFD\uFFFD\uFFFD");  // overlong three-byte form
  EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
  EXPECT_EQ(utf8ToUtf16("\xE4\xB8"), u"\uFFFD");            // truncated at the end
  EXPECT_EQ(utf8ToUtf16("\xE4\xB8" "a"), u"\uFFFDa");       // truncated before ASCII
}

}  // namespace
}  // namespace talvek::richedit
