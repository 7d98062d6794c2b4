#include <gtest/gtest.h>

#include "netutil/HttpRequestPlan.h"
#include "netutil/HttpResponseDigest.h"

namespace talvek {
namespace {

constexpr const char* kAddress = "http://example.com/a";

TEST(HttpHeaders, EmptyHeadersGetTheDefaultLinesInOrder) {
  EXPECT_EQ(completeHeaders("", kAddress, ""),
            "Referer: http://example.com/a\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
            "Content-Type: application/x-www-form-urlencoded");
  EXPECT_EQ(completeHeaders("", kAddress, "a=1"),
            "Referer: http://example.com/a\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
            "Content-Type: application/x-www-form-urlencoded\r\nCookie: a=1");
}

TEST(HttpHeaders, OnlyExactlySpelledNamesPreventADefaultLine) {
  EXPECT_EQ(completeHeaders("Accept: text/html\r\nReferer: r", kAddress, ""),
            "Accept: text/html\r\nReferer: r\r\nAccept-Language: zh-cn\r\n"
            "Content-Type: application/x-www-form-urlencoded");
  std::string other = completeHeaders("accept: text/html", kAddress, "");
  EXPECT_NE(other.find("\r\nAccept: */*"), std::string::npos);
  EXPECT_EQ(other.rfind("accept: text/html\r\nReferer: http://example.com/a", 0), 0u);
}

TEST(HttpHeaders, UserAgentLineOfAnyCaseReplacesTheDefault) {
  EXPECT_EQ(userAgentFrom("X: 1\r\nuser-AGENT:  Probe/2.0 \r\nY: 2"), "Probe/2.0");
  EXPECT_EQ(userAgentFrom("User-Agent: Last/1"), "Last/1");
  EXPECT_EQ(userAgentFrom("Accept: */*"), kDefaultUserAgent);
}

TEST(HttpPlan, SchemeAndOptionsDecideFlagsAndBody) {
  HttpRequestOptions options;
  HttpRequestPlan plain = planRequest("example.com/x?y=1", options);
  EXPECT_EQ(plain.verb, "GET");
  EXPECT_EQ(plain.port, 80);
  EXPECT_EQ(plain.path, "/x?y=1");
  EXPECT_FALSE(plain.flags.secure);
  EXPECT_TRUE(plain.flags.ignoreRedirectToHttps);
  EXPECT_FALSE(plain.flags.noCookies);
  EXPECT_FALSE(plain.sendsBody);

  options.method = 2;
  options.postText = "text";
  options.cookieJar = "";
  options.noRedirect = true;
  HttpRequestPlan secure = planRequest("https://example.com/", options);
  EXPECT_EQ(secure.verb, "GET");
  EXPECT_EQ(secure.port, 443);
  EXPECT_TRUE(secure.flags.secure);
  EXPECT_FALSE(secure.flags.ignoreRedirectToHttps);
  EXPECT_TRUE(secure.flags.noCookies);
  EXPECT_TRUE(secure.flags.noAutoRedirect);
  EXPECT_TRUE(secure.sendsBody);
  EXPECT_EQ(secure.body, "text");

  options.method = 1;
  options.postBytes = std::string("b\0y", 3);
  HttpRequestPlan post = planRequest("http://example.com:81/", options);
  EXPECT_EQ(post.verb, "POST");
  EXPECT_EQ(post.body, std::string("b\0y", 3));
}

TEST(HttpResponse, LocationAndCookiesComeFromTheirLines) {
  HttpResponseDigest digest = digestResponseHeaders(
      "HTTP/1.1 302 Found\r\nSet-Cookie: a=1; path=/\r\nLocation: http://one/\r\n"
      "Set-Cookie:b=2\r\nLocation: http://two/x\r\n\r\n");
  EXPECT_EQ(digest.cookies, "a=1; b=2");
  EXPECT_EQ(digest.location, "http://two/x");
  EXPECT_FALSE(digestResponseHeaders("HTTP/1.1 200 OK\r\n\r\n").location.has_value());
  EXPECT_EQ(digestResponseHeaders("").cookies, "");
}

TEST(HttpResponse, OnlyA301MovedIsFollowed) {
  EXPECT_TRUE(isMovedPermanently("HTTP/1.1 301 Moved Permanently\r\n"));
  EXPECT_FALSE(isMovedPermanently("HTTP/1.1 302 Moved Temporarily\r\n"));
  EXPECT_FALSE(isMovedPermanently("HTTP/1.0 301 Moved Permanently\r\n"));
  EXPECT_FALSE(isMovedPermanently("HTTP/1.1 301 Permanent Redirect\r\n"));
}

TEST(HttpResponse, Utf8DetectionWindow) {
  std::string early = std::string(494, ' ') + "utf-8";
  std::string late = std::string(499, ' ') + "utf-8";
  EXPECT_TRUE(declaresUtf8(early, ""));
  EXPECT_FALSE(declaresUtf8(late, ""));
  EXPECT_FALSE(declaresUtf8("<meta charset=UTF-8>", "Content-Type: text/html"));
  EXPECT_TRUE(declaresUtf8("", "Content-Type: text/html; charset=UTF-8"));
}

}  // namespace
}  // namespace talvek
