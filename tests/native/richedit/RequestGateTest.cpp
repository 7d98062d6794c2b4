#include "toolkit/richedit/RequestGate.h"

#include <gtest/gtest.h>

#include <string>

namespace talvek::richedit {
namespace {

const RequestGate kGate("127.89.64.254", 50123);
const std::string kOwnHost = "Host: 127.89.64.254:50123";
const std::string kOwnOrigin = "Origin: http://127.89.64.254:50123";
const std::string kScriptMarker = "X-Requested-With: XMLHttpRequest";

HttpRequest withHeaders(std::string headers, bool isPost = false) {
  HttpRequest request;
  request.path = isPost ? "/cmd/get/text" : "/web/default";
  request.isPost = isPost;
  request.headers = std::move(headers);
  return request;
}

TEST(RequestGate, AnswersOnlyRequestsForItsOwnAddressAndPort) {
  EXPECT_TRUE(kGate.mayAnswer(withHeaders(kOwnHost)));
  EXPECT_TRUE(kGate.mayAnswer(withHeaders("Accept: */*\r\nhOsT:\t127.89.64.254:50123  \r\n" + kOwnOrigin)));
  for (const char* foreign :
       {"", "Host: evil.example:50123", "Host: 127.89.64.254", "Host: 127.89.64.254:50124", "Host: localhost:50123",
        "Host: 127.89.64.254:50123.evil.example", "X-Host: 127.89.64.254:50123"}) {
    EXPECT_FALSE(kGate.mayAnswer(withHeaders(foreign))) << foreign;
  }
  // Two hosts: whichever one a proxy acted on, the request is not trusted.
  EXPECT_FALSE(kGate.mayAnswer(withHeaders(kOwnHost + "\r\nHost: evil.example")));
  EXPECT_FALSE(kGate.mayAnswer(withHeaders("Host: evil.example\r\n" + kOwnHost)));
}

TEST(RequestGate, AForeignOriginIsRefusedEvenWithTheRightHost) {
  for (const char* origin : {"Origin: http://evil.example", "Origin: null", "Origin: https://127.89.64.254:50123",
                             "Origin: http://127.89.64.254:50124"}) {
    EXPECT_FALSE(kGate.mayAnswer(withHeaders(kOwnHost + "\r\n" + origin))) << origin;
    EXPECT_FALSE(kGate.mayDeliver(withHeaders(kOwnHost + "\r\n" + origin + "\r\n" + kScriptMarker, true))) << origin;
  }
  EXPECT_FALSE(kGate.mayAnswer(withHeaders(kOwnHost + "\r\n" + kOwnOrigin + "\r\nOrigin: http://evil.example")));
}

TEST(RequestGate, DeliversOnlyPostsMarkedAsTheScriptsOwn) {
  EXPECT_TRUE(kGate.mayDeliver(withHeaders(kOwnHost + "\r\n" + kOwnOrigin + "\r\n" + kScriptMarker, true)));
  EXPECT_TRUE(kGate.mayDeliver(withHeaders(kOwnHost + "\r\nx-requested-with: xmlhttprequest", true)));
  // A cross-site form post carries no such header; one without the right host
  // never reaches the question.
  EXPECT_FALSE(kGate.mayDeliver(withHeaders(kOwnHost + "\r\n" + kOwnOrigin, true)));
  EXPECT_FALSE(kGate.mayDeliver(withHeaders(kOwnHost + "\r\nX-Requested-With: fetch", true)));
  EXPECT_FALSE(kGate.mayDeliver(withHeaders("Host: evil.example:50123\r\n" + kScriptMarker, true)));
}

TEST(RequestGate, AGateThatKnowsNoPortAnswersNothing) {
  EXPECT_FALSE(RequestGate().mayAnswer(withHeaders("Host: ")));
  EXPECT_FALSE(RequestGate().mayAnswer(withHeaders("Host: :0")));
}

TEST(HeaderValues, FindsEveryLineOfTheNameTrimmed) {
  const auto values = headerValues("A: 1\r\nb:2\r\n a :\t3 \r\nab: 4\r\nno colon a\r\na:", "a");
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0], "1");
  EXPECT_EQ(values[1], "3");
  EXPECT_EQ(values[2], "");
}

}  // namespace
}  // namespace talvek::richedit
