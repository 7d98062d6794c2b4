#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <string>

#include "netutil/SystemIntegration.h"
#include "tests/windows/netutil/LoopbackHttpServer.h"

namespace talvek {
namespace {

using test::LoopbackHttpServer;
using test::RecordedRequest;

constexpr const char* kLong = "http://long.example/a?b=1&c=2";

// One loopback server stands in for every service: answers are scripted per
// path (without query), anything unscripted gets an empty 200 page.
class WebServiceFixture : public ::testing::Test {
 protected:
  WebServiceFixture()
      : server_([this](const RecordedRequest& request) { return reply(request); }),
        integration_(ServiceEndpoints::onBase(server_.base())) {}

  void script(const std::string& path, const std::string& response) {
    std::lock_guard<std::mutex> lock(mutex_);
    replies_[path] = response;
  }
  void answer(const std::string& path, const std::string& body) {
    script(path, LoopbackHttpServer::ok(body));
  }
  // The base address with its slashes escaped, as JSON answers write it.
  std::string escaped(const std::string& address) const {
    std::string text;
    for (char c : address) text += c == '/' ? std::string("\\/") : std::string(1, c);
    return text;
  }
  RecordedRequest only() const {
    std::vector<RecordedRequest> requests = server_.requests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? RecordedRequest() : requests[0];
  }

  LoopbackHttpServer server_;
  SystemIntegration integration_;

 private:
  std::string reply(const RecordedRequest& request) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = replies_.find(request.path.substr(0, request.path.find('?')));
    return found == replies_.end() ? LoopbackHttpServer::ok("") : found->second;
  }
  std::mutex mutex_;
  std::map<std::string, std::string> replies_;
};

TEST_F(WebServiceFixture, AliasFormPostsItsFormAndReadsTheCodeAfterTheBase) {
  const std::string base = integration_.endpoints().aliasShortenerBase;
  answer("/alias/create.php", "{\"shorturl\":\"" + escaped(base) + "Ab12Cd\",\"x\":1}");
  EXPECT_EQ(integration_.shortenUrlAliasForm(kLong), base + "Ab12Cd");
  RecordedRequest request = only();
  EXPECT_EQ(request.method, "POST");
  EXPECT_EQ(request.body, std::string("url=") + kLong + "&alias=&access_type=web");
}

TEST_F(WebServiceFixture, KeywordFormPostsItsForm) {
  const std::string base = integration_.endpoints().keywordShortenerBase;
  answer("/keyword/create.php", "{\"url\":\"" + escaped(base) + "kw9\"}");
  EXPECT_EQ(integration_.shortenUrlKeywordForm(kLong), base + "kw9");
  EXPECT_EQ(only().body, std::string("url=") + kLong + "&keyword=");
}

TEST_F(WebServiceFixture, JsonpSendsItsQueryAndReferer) {
  answer("/jsonp/urljsons.php", "jQuery1830({\"url\":\"http://t.example/abc\",\"s\":0})");
  EXPECT_EQ(integration_.shortenUrlJsonp(kLong), "http://t.example/abc");
  RecordedRequest request = only();
  EXPECT_EQ(request.method, "GET");
  EXPECT_EQ(request.path,
            std::string("/jsonp/urljsons.php?type=jsonp.short.example&mk=a&uk=a&fdn=&ref=") +
                kLong + "&xzurl=" + kLong +
                "&rnd=xz0.3884035509545356&jsoncallback=jQuery1830802266810555011_"
                "1421998690072&_=1421999263984");
  EXPECT_EQ(request.header("Referer"), integration_.endpoints().jsonpReferer);
}

TEST_F(WebServiceFixture, TypedServicesNameTheirShortenerAndDropBackslashes) {
  answer("/typed/create.php",
         "[\"http:\\/\\/l.example\\/1\"] {\"data\":\"http:\\/\\/d.example\\/2\"}");
  EXPECT_EQ(integration_.shortenUrlTypeList(kLong), "http://l.example/1");
  EXPECT_EQ(integration_.shortenUrlTypeData1(kLong), "http://d.example/2");
  EXPECT_EQ(integration_.shortenUrlTypeData2(kLong), "http://d.example/2");
  std::vector<RecordedRequest> requests = server_.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].body, std::string("type=list.short.example&url=") + kLong);
  EXPECT_EQ(requests[1].body, std::string("type=one.short.example&url=") + kLong);
  EXPECT_EQ(requests[2].body, std::string("type=two.short.example&url=") + kLong);
}

TEST_F(WebServiceFixture, JsonFormPostsTheEscapedJsonForm) {
  answer("/json/short.action", "{\"urls\":[{\"url\":\"http:\\/\\/u.example\\/3\"}]}");
  EXPECT_EQ(integration_.shortenUrlJsonForm(kLong), "http://u.example/3");
  EXPECT_EQ(only().body,
            std::string("json=%7B%22urls%22%3A%5B%7B%22url%22%3A%22") + kLong + "%22%7D%5D%7D");
}

TEST_F(WebServiceFixture, EveryShortenerGivesNothingWithoutItsMarkers) {
  for (const char* path : {"/alias/create.php", "/keyword/create.php", "/jsonp/urljsons.php",
                           "/typed/create.php", "/json/short.action"}) {
    answer(path, "{\"error\":\"busy\"}");
  }
  EXPECT_EQ(integration_.shortenUrlAliasForm(kLong), "");
  EXPECT_EQ(integration_.shortenUrlKeywordForm(kLong), "");
  EXPECT_EQ(integration_.shortenUrlJsonp(kLong), "");
  EXPECT_EQ(integration_.shortenUrlTypeList(kLong), "");
  EXPECT_EQ(integration_.shortenUrlTypeData1(kLong), "");
  EXPECT_EQ(integration_.shortenUrlJsonForm(kLong), "");
  EXPECT_EQ(integration_.randomSignature(), "");
  EXPECT_EQ(integration_.resolveShareLink(server_.base() + "s/1AbCdE"), "");
}

TEST_F(WebServiceFixture, RandomSignaturePicksOneOfThePageItems) {
  answer("/gexing/tui/", "<ul><li id=\"txt-1\">第一</li><li id=\"txt-2\">second</li></ul>");
  std::string picked = integration_.randomSignature();
  EXPECT_TRUE(picked == "第一" || picked == "second") << picked;
  EXPECT_EQ(only().path, "/gexing/tui/");
}

TEST_F(WebServiceFixture, CallBackPostsTheNumbersThenSendsTheirCookie) {
  script("/callback/index.asp",
         LoopbackHttpServer::response("200 OK", {"Set-Cookie: sid=77; path=/"}, "queued"));
  answer("/callback/3.asp", "calling");
  std::string cookies;
  EXPECT_EQ(integration_.requestCallBack(std::nullopt, &cookies), "calling");
  EXPECT_EQ(cookies, "sid=77");
  std::vector<RecordedRequest> requests = server_.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[0].body, "ph1=07700900001&ph2=07700900002");
  EXPECT_EQ(requests[1].path, "/callback/3.asp");
  EXPECT_EQ(requests[1].header("Cookie"), "sid=77");

  integration_.callServiceAdd("sid=5");
  requests = server_.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[2].method, "GET");
  EXPECT_EQ(requests[2].path, "/callback/add.asp");
  EXPECT_EQ(requests[2].header("Cookie"), "sid=5");
}

TEST_F(WebServiceFixture, ShareLinkFollowsTheShortLinkAndPostsCodeAndNid) {
  script("/s/1AbCdE",
         LoopbackHttpServer::response(
             "302 Found",
             {"Location: " + server_.base() + "share/init?shareid=9", "Set-Cookie: kept=1; path=/"},
             ""));
  answer("/share/init", "var a = {nid : '4242', title: '%E4%B8%AD'};");
  answer("/share/downloadfile/", "{\"dlink\":\"http:\\/\\/files.example\\/a.zip?x=1\"}");
  EXPECT_EQ(integration_.resolveShareLink(server_.base() + "s/1AbCdE"),
            "http://files.example/a.zip?x=1");
  std::vector<RecordedRequest> requests = server_.requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].method, "POST");
  EXPECT_EQ(requests[1].path, "/share/init?shareid=9");
  // The share page is fetched plainly: none of our header lines, no cookie.
  EXPECT_EQ(requests[1].method, "GET");
  for (const char* name : {"Referer", "Accept-Language", "Content-Type", "Cookie"}) {
    EXPECT_EQ(requests[1].header(name), "") << name;
  }
  EXPECT_EQ(requests[2].method, "POST");
  EXPECT_EQ(requests[2].path, "/share/downloadfile/");
  EXPECT_EQ(requests[2].body, "surl=1AbCdE&nid=4242");
}

TEST_F(WebServiceFixture, ShareLinkWithLkIsFetchedDirectly) {
  answer("/share/lkpage", "nid : '5', x");
  answer("/share/downloadfile/", "\"http://f.example/b\"");
  EXPECT_EQ(integration_.resolveShareLink(server_.base() + "share/lkpage?id=1"),
            "http://f.example/b");
  std::vector<RecordedRequest> requests = server_.requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].method, "GET");
  EXPECT_EQ(requests[1].body, "surl=lkpage?id=1&nid=5");
}

}  // namespace
}  // namespace talvek
