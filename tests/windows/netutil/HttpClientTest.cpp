#include <gtest/gtest.h>

#include "netutil/CodePageText.h"
#include "netutil/HttpClient.h"
#include "netutil/HttpRequestPlan.h"
#include "tests/windows/netutil/LoopbackHttpServer.h"

namespace talvek {
namespace {

using test::LoopbackHttpServer;
using test::RecordedRequest;

TEST(HttpClient, EmptyHeadersSendTheDefaultLinesInOrder) {
  LoopbackHttpServer server([](const RecordedRequest&) { return LoopbackHttpServer::ok("fine"); });
  ASSERT_TRUE(server.listening());
  const std::string address = server.base() + "Dir/Page.asp?Q=One";
  HttpRequestOptions options;
  // An empty jar: no Cookie line of ours, and none from WinINet's own store,
  // which earlier tests may have filled for this host.
  options.cookieJar = "";
  EXPECT_EQ(HttpClient().requestText(address, options), "fine");

  ASSERT_EQ(server.requests().size(), 1u);
  RecordedRequest request = server.requests()[0];
  EXPECT_EQ(request.method, "GET");
  EXPECT_EQ(request.path, "/Dir/Page.asp?Q=One");
  EXPECT_EQ(request.header("User-Agent"), kDefaultUserAgent);
  EXPECT_EQ(request.header("Referer"), address);
  EXPECT_EQ(request.header("Accept"), "*/*");
  EXPECT_EQ(request.header("Accept-Language"), "zh-cn");
  EXPECT_EQ(request.header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_LT(request.headerIndex("Referer"), request.headerIndex("Accept"));
  EXPECT_LT(request.headerIndex("Accept"), request.headerIndex("Accept-Language"));
  EXPECT_LT(request.headerIndex("Accept-Language"), request.headerIndex("Content-Type"));
  EXPECT_EQ(request.headerIndex("Cookie"), -1);
  EXPECT_EQ(options.extraHeaders, "Referer: " + address +
                                      "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
                                      "Content-Type: application/x-www-form-urlencoded");
}

TEST(HttpClient, CallerHeadersReplaceDefaultsAndUserAgent) {
  LoopbackHttpServer server([](const RecordedRequest&) { return LoopbackHttpServer::ok(""); });
  HttpRequestOptions options;
  options.extraHeaders = "user-agent: Probe/1.0\r\nAccept: text/plain\r\nX-Extra: 1";
  HttpClient().requestBytes(server.base(), options);
  ASSERT_EQ(server.requests().size(), 1u);
  RecordedRequest request = server.requests()[0];
  EXPECT_EQ(request.header("User-Agent"), "Probe/1.0");
  EXPECT_EQ(request.headerCount("Accept"), 1);
  EXPECT_EQ(request.header("Accept"), "text/plain");
  EXPECT_EQ(request.header("X-Extra"), "1");
}

TEST(HttpClient, PostsBytesBeforeText) {
  LoopbackHttpServer server([](const RecordedRequest&) { return LoopbackHttpServer::ok(""); });
  HttpRequestOptions options;
  options.method = 1;
  options.postText = "a=1&b=2";
  HttpClient().requestBytes(server.base() + "form", options);
  options.postBytes = std::string("raw\0bytes", 9);
  HttpClient().requestBytes(server.base() + "form", options);
  ASSERT_EQ(server.requests().size(), 2u);
  EXPECT_EQ(server.requests()[0].method, "POST");
  EXPECT_EQ(server.requests()[0].body, "a=1&b=2");
  EXPECT_EQ(server.requests()[1].body, std::string("raw\0bytes", 9));
}

TEST(HttpClient, ProxyOptionSendsTheRequestThroughTheNamedProxy) {
  LoopbackHttpServer proxy(
      [](const RecordedRequest&) { return LoopbackHttpServer::ok("via proxy"); });
  HttpRequestOptions options;
  options.proxy = "127.0.0.1:" + std::to_string(proxy.port());
  EXPECT_EQ(HttpClient().requestBytes("http://proxied.example/x?y=1", options), "via proxy");
  ASSERT_EQ(proxy.requests().size(), 1u);
  // Wine writes the default port into the absolute address; Windows may not.
  const std::string path = proxy.requests()[0].path;
  EXPECT_EQ(path.rfind("http://proxied.example", 0), 0u) << path;
  EXPECT_TRUE(path.ends_with("/x?y=1")) << path;
}

TEST(HttpClient, CookiesAreCapturedMergedAndSentBack) {
  LoopbackHttpServer server([](const RecordedRequest&) {
    return LoopbackHttpServer::response(
        "200 OK", {"Set-Cookie: a=1; path=/", "Set-Cookie: b=2; HttpOnly"}, "");
  });
  HttpRequestOptions options;
  options.cookieJar = "a=0; c=3";
  HttpClient().requestBytes(server.base(), options);
  EXPECT_EQ(options.returnedCookies, "a=1; b=2");
  EXPECT_EQ(*options.cookieJar, "a=1; b=2; c=3");

  HttpRequestOptions again;
  again.cookieJar = options.cookieJar;
  HttpClient().requestBytes(server.base(), again);
  ASSERT_EQ(server.requests().size(), 2u);
  EXPECT_EQ(server.requests()[0].header("Cookie"), "a=0; c=3");
  // WinINet's own cookie store adds nothing: the jar is the whole line.
  EXPECT_EQ(server.requests()[1].header("Cookie"), "a=1; b=2; c=3");
  EXPECT_EQ(server.requests()[1].headerCount("Cookie"), 1);
}

TEST(HttpClient, Moved301IsRequestedAgainAtTheNewHostWithTheOldPath) {
  LoopbackHttpServer target(
      [](const RecordedRequest&) { return LoopbackHttpServer::ok("arrived"); });
  std::string targetHost = target.base().substr(0, target.base().size() - 1);
  LoopbackHttpServer first([&](const RecordedRequest&) {
    return LoopbackHttpServer::response("301 Moved Permanently", {"Location: " + targetHost},
                                        "old");
  });
  HttpRequestOptions options;
  options.noRedirect = true;
  EXPECT_EQ(HttpClient().requestText(first.base() + "old/Page?x=1", options), "arrived");
  ASSERT_EQ(target.requests().size(), 1u);
  EXPECT_EQ(target.requests()[0].path, "/old/Page?x=1");
  EXPECT_EQ(options.location, options.responseHeaders);
}

TEST(HttpClient, AMovedRequestKeepsTheCookiesOfBothAnswers) {
  LoopbackHttpServer target([](const RecordedRequest&) {
    return LoopbackHttpServer::response("200 OK", {"Set-Cookie: a=2", "Set-Cookie: s=deleted"}, "");
  });
  std::string targetHost = target.base().substr(0, target.base().size() - 1);
  LoopbackHttpServer first([&](const RecordedRequest&) {
    return LoopbackHttpServer::response("301 Moved Permanently",
                                        {"Set-Cookie: a=1; path=/", "Set-Cookie: s=1", "Location: " + targetHost}, "");
  });
  HttpRequestOptions options;
  options.noRedirect = true;
  options.cookieJar = "";
  HttpClient().requestBytes(first.base() + "p", options);
  ASSERT_EQ(target.requests().size(), 1u);
  EXPECT_EQ(target.requests()[0].header("Cookie"), "a=1; s=1");
  EXPECT_EQ(options.returnedCookies, "a=1; s=1; a=2; s=deleted");
  // The later answer's values win, and its deletion holds.
  EXPECT_EQ(*options.cookieJar, "a=2");
}

TEST(HttpClient, Moved301IsFollowedOnlyOnce) {
  LoopbackHttpServer loop([](const RecordedRequest& request) {
    return LoopbackHttpServer::response("301 Moved Permanently", {"Location: http://127.0.0.1:1"},
                                        "");
  });
  LoopbackHttpServer first([&](const RecordedRequest&) {
    std::string host = loop.base().substr(0, loop.base().size() - 1);
    return LoopbackHttpServer::response("301 Moved Permanently", {"Location: " + host}, "");
  });
  HttpRequestOptions options;
  options.noRedirect = true;
  HttpClient().requestBytes(first.base() + "p", options);
  EXPECT_EQ(loop.requests().size(), 1u);
  EXPECT_EQ(options.location, "http://127.0.0.1:1");
}

TEST(HttpClient, Found302IsNotFollowedAndItsLocationIsKept) {
  LoopbackHttpServer target([](const RecordedRequest&) { return LoopbackHttpServer::ok("no"); });
  LoopbackHttpServer first([&](const RecordedRequest&) {
    return LoopbackHttpServer::response("302 Found", {"Location: " + target.base() + "x"}, "here");
  });
  HttpRequestOptions options;
  options.noRedirect = true;
  EXPECT_EQ(HttpClient().requestBytes(first.base(), options), "here");
  EXPECT_EQ(options.location, target.base() + "x");
  EXPECT_TRUE(target.requests().empty());
}

TEST(HttpClient, WithoutLocationLineTheRawHeadersAreTheLocation) {
  LoopbackHttpServer server([](const RecordedRequest&) { return LoopbackHttpServer::ok("x"); });
  HttpRequestOptions options;
  HttpClient().requestBytes(server.base(), options);
  EXPECT_EQ(options.responseHeaders.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
  EXPECT_EQ(options.location, options.responseHeaders);
}

TEST(HttpClient, HeadersLargerThanTheUsualBufferAreStillRead) {
  // Many moderate lines: WinINet cuts single header lines at about 4 KB.
  std::vector<std::string> headers;
  for (int i = 0; i < 10; ++i)
    headers.push_back("X-Padding-" + std::to_string(i) + ": " + std::string(700, 'p'));
  headers.push_back("Set-Cookie: late=1");
  headers.push_back("Location: http://late.example/");
  LoopbackHttpServer server([&](const RecordedRequest&) {
    return LoopbackHttpServer::response("302 Found", headers, "big");
  });
  HttpRequestOptions options;
  options.noRedirect = true;
  options.cookieJar = "";
  EXPECT_EQ(HttpClient().requestBytes(server.base(), options), "big");
  EXPECT_GT(options.responseHeaders.size(), 7000u);
  EXPECT_EQ(options.responseHeaders.rfind("HTTP/1.1 302", 0), 0u);
  EXPECT_EQ(options.returnedCookies, "late=1");
  EXPECT_EQ(*options.cookieJar, "late=1");
  EXPECT_EQ(options.location, "http://late.example/");
}

TEST(HttpClient, UnreachableServerGivesAnEmptyResult) {
  std::string deadBase;
  {
    LoopbackHttpServer closed([](const RecordedRequest&) { return std::string(); });
    deadBase = closed.base();
  }
  HttpRequestOptions options;
  EXPECT_EQ(HttpClient().requestBytes(deadBase, options), "");
  EXPECT_EQ(HttpClient().requestText(deadBase), "");
}

TEST(HttpClientText, Utf8PagesComeBackInCodePage936) {
  const std::string utf8Page = "<meta charset=utf-8>\xE4\xB8\xAD\xE6\x96\x87";
  const std::string upperPage = "<meta charset=UTF-8>\xE4\xB8\xAD";
  const std::string latePage = std::string(500, ' ') + "utf-8\xE4\xB8\xAD";
  LoopbackHttpServer server([&](const RecordedRequest& request) {
    if (request.path == "/lower") return LoopbackHttpServer::ok(utf8Page);
    if (request.path == "/upper") return LoopbackHttpServer::ok(upperPage);
    if (request.path == "/late") return LoopbackHttpServer::ok(latePage);
    return LoopbackHttpServer::response("200 OK", {"Content-Type: text/html; charset=UTF-8"},
                                        "\xE4\xB8\xAD");
  });
  HttpClient client;
  EXPECT_EQ(client.requestText(server.base() + "lower"), "<meta charset=utf-8>中文");
  EXPECT_EQ(client.requestText(server.base() + "upper"), upperPage);
  EXPECT_EQ(client.requestText(server.base() + "late"), latePage);
  EXPECT_EQ(client.requestText(server.base() + "header"), "中");
  // The byte variant never converts.
  EXPECT_EQ(client.requestBytes(server.base() + "lower"), utf8Page);
}

TEST(CodePageText, ConversionsBetweenUtf8Utf16AndGbk) {
  EXPECT_EQ(percentDecode("%E4%B8%AD", true), "中");
  EXPECT_EQ(percentDecode("%E4%B8%AD"), "\xE4\xB8\xAD");
  EXPECT_EQ(toUtf16("A\xE4\xB8\xAD"), std::string("A\0\x2D\x4E\0\0", 6));
  EXPECT_EQ(utf8ToUtf16("A\xE4\xB8\xAD"), std::string("A\0\x2D\x4E", 4));
  EXPECT_EQ(fromUtf16(std::string("\x2D\x4E\0\0\x2D\x4E", 6)), "中");
  // An odd trailing byte and a missing terminator are not read past.
  EXPECT_EQ(fromUtf16(std::string("\x2D\x4E\x41", 3)), "中");
  EXPECT_EQ(utf8ToGbk("\xE4\xB8\xAD\xE6\x96\x87"), "中文");
  EXPECT_EQ(utf8ToGbk(""), "");
}

}  // namespace
}  // namespace talvek
