#include <gtest/gtest.h>

#include "netutil/PercentDecoding.h"
#include "netutil/TextMarkers.h"
#include "netutil/UrlParts.h"

namespace talvek {
namespace {

TEST(TextBetween, FindsMarkersIgnoringCaseAndQuotePlaceholder) {
  EXPECT_EQ(textBetween("<A HREF=\"x.html\">", "href=#引号", "#引号"), "x.html");
  EXPECT_EQ(textBetween("key=VALUE;rest", "KEY=", ";"), "VALUE");
  // The right marker is searched after the left one.
  EXPECT_EQ(textBetween("]a[b]", "[", "]"), "b");
  EXPECT_EQ(textBetween("no markers", "[", "]"), "");
  EXPECT_EQ(textBetween("[unclosed", "[", "]"), "");
}

TEST(TextsBetween, CollectsTrimmedItemsUntilAnEmptyOne) {
  EXPECT_EQ(textsBetween("<i> a </i><i>b</i><i></i><i>c</i>", "<i>", "</i>"),
            (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(textsBetween("", "<i>", "</i>").empty());
  // An empty right marker cannot make the scan run forever.
  EXPECT_TRUE(textsBetween("aaaa", "a", "").empty());
}

TEST(TextHelpers, AfterLastAndAfterColon) {
  EXPECT_EQ(textAfterLast("a>b>c", ">"), "c");
  EXPECT_EQ(textAfterLast("abc", ">"), "");
  EXPECT_EQ(valueAfterColon("Location:  http://h:81/p  "), "http://h:81/p");
  EXPECT_EQ(valueAfterColon("no colon"), "");
}

TEST(UrlParts, SchemeDecidesDefaultPortAndExplicitPortWins) {
  EXPECT_EQ(hostOfUrl("Example.COM/Path"), "example.com");
  EXPECT_EQ(portOfUrl("example.com/path"), 80);
  EXPECT_EQ(hostOfUrl("https://Secure.example.com/x"), "secure.example.com");
  EXPECT_EQ(portOfUrl("HTTPS://secure.example.com/x"), 443);
  EXPECT_EQ(portOfUrl("http://example.com:8080/x"), 8080);
  EXPECT_EQ(hostOfUrl("http://example.com:8080/x", true), "example.com:8080");
  EXPECT_EQ(portOfUrl("https://example.com:8443"), 8443);
  EXPECT_EQ(portOfUrl("http://example.com:99999/"), 0);
  EXPECT_EQ(portOfUrl("http://example.com:8a/"), 0);
}

TEST(UrlParts, PathKeepsCaseAndQuery) {
  EXPECT_EQ(pathOfUrl("http://Example.com:81/Dir/Page.ASP?Q=A&b=C"), "/Dir/Page.ASP?Q=A&b=C");
  EXPECT_EQ(pathOfUrl("example.com"), "/");
  EXPECT_EQ(pathOfUrl("https://example.com"), "/");
  // A host that also occurs in the scheme is found after it.
  EXPECT_EQ(pathOfUrl("http://t/x"), "/x");
}

TEST(UrlParts, ShortCodeIsASixCharacterLastPiece) {
  EXPECT_EQ(shortCodeOf("http://s.example/s/1AbCdE/"), "1AbCdE");
  EXPECT_EQ(shortCodeOf("http://s.example/s/1AbCdE"), "1AbCdE");
  EXPECT_EQ(shortCodeOf("http://s.example/s/1AbCdEf/"), "");
  EXPECT_EQ(shortCodeOf(""), "");
  EXPECT_EQ(shortCodeOf("/"), "");
}

TEST(PercentDecoding, DecodesEscapesAndKeepsEverythingElse) {
  EXPECT_EQ(percentDecodeBytes("%E4%b8%AD"), "\xE4\xB8\xAD");
  EXPECT_EQ(percentDecodeBytes("a+b%20c"), "a+b c");
  EXPECT_EQ(percentDecodeBytes("100%"), "100%");
  EXPECT_EQ(percentDecodeBytes("%4"), "%4");
  EXPECT_EQ(percentDecodeBytes("%zz%41"), "%zzA");
}

}  // namespace
}  // namespace talvek
