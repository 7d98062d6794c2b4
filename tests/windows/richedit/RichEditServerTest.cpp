#include "toolkit/richedit/RichEditServer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <memory>
#include <string>

#include "tests/windows/richedit/RawHttpClient.h"
#include "tests/windows/richedit/RecordingSink.h"
#include "toolkit/richedit/JqueryLibrary.h"

namespace talvek::richedit {
namespace {

using test::exchange;
using test::exchangeThenHangUp;
using test::RawHttpClient;
using test::Reply;

const std::string kPageHead =
    "HTTP/1.1 200 OK\r\n"
    "Server:RbUI RichEdit HTTP Server\r\n"
    "Content-Length:287\r\n"
    "Content-Type:text/html\r\n"
    "\r\n";

const std::string kScriptMark = "X-Requested-With: XMLHttpRequest\r\n";

std::string asText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// One server for the suite, as the toolkit has one per process.
class RichEditServerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sink_ = new test::RecordingSink;
    server_ = new RichEditServer(sink_->sink(), jqueryLibrary());
    ASSERT_TRUE(server_->start());
  }
  static void TearDownTestSuite() {
    delete server_;
    delete sink_;
  }
  void SetUp() override { sink_->take(); }

  static int port() { return server_->port(); }
  // A post as the page's script sends it, with the length line given.
  static std::string postText(std::string_view lengthLine, std::string_view body,
                              std::string_view path = "/cmd/get/text") {
    return "POST " + std::string(path) + " HTTP/1.1\r\n" + test::ownHostLine(port()) + kScriptMark +
           std::string(lengthLine) + "\r\n\r\n" + std::string(body);
  }
  static std::string postWithLength(std::string_view body, std::string_view path = "/cmd/get/text") {
    return test::scriptPost(port(), path, body);
  }
  static std::vector<test::RecordedEvent> deliveries() { return sink_->take(); }

  // The server still answers, and answers exactly.
  static void expectPageServed() {
    const Reply reply = exchange(port(), test::pageGet(port(), "/web/default"));
    EXPECT_TRUE(reply.closed);
    EXPECT_EQ(reply.bytes, kPageHead + std::string(kEditorPage));
  }

  static inline test::RecordingSink* sink_ = nullptr;
  static inline RichEditServer* server_ = nullptr;
};

TEST_F(RichEditServerTest, AnyMethodButPostGetsThePageExactlyThenTheClose) {
  for (const char* method : {"GET", "HEAD", "post"}) {
    const Reply reply =
        exchange(port(), std::string(method) + " /web/default HTTP/1.1\r\n" + test::ownHostLine(port()) + "\r\n");
    EXPECT_TRUE(reply.closed) << method;
    EXPECT_EQ(reply.bytes, kPageHead + std::string(kEditorPage)) << method;
  }
}

TEST_F(RichEditServerTest, ServesJqueryAndTheClientScript) {
  const std::string jquery = asText(jqueryLibrary());
  ASSERT_EQ(jquery.size(), 93435u);
  ASSERT_TRUE(jquery.starts_with("/*! jQuery v1.8.2 jquery.com | jquery.org/license */\n"));
  // The published file's checksum: the linked copy comes back whole.
  EXPECT_EQ(crc32(0, jqueryLibrary().data(), static_cast<uInt>(jqueryLibrary().size())), 0x87bda2f3u);
  Reply reply = exchange(port(), test::pageGet(port(), "/web/jquery"));
  EXPECT_TRUE(reply.closed);
  EXPECT_EQ(reply.bytes,
            "HTTP/1.1 200 OK\r\nServer:RbUI RichEdit HTTP Server\r\nContent-Length:93435\r\n"
            "Content-Type:text/javascript\r\n\r\n" +
                jquery);

  reply = exchange(port(), test::pageGet(port(), "/web/richeditclient"));
  EXPECT_EQ(reply.bytes,
            "HTTP/1.1 200 OK\r\nServer:RbUI RichEdit HTTP Server\r\nContent-Length:305\r\n"
            "Content-Type:text/javascript\r\n\r\n" +
                std::string(kEditorClientScript));
}

TEST_F(RichEditServerTest, PathsOutsideTheTableGetNoAnswer) {
  for (const std::string& request :
       {test::pageGet(port(), "/web/default?x=1"), test::pageGet(port(), "/WEB/Default"), test::pageGet(port(), "/"),
        "GET /web/default\r\n" + test::ownHostLine(port()) + "\r\n"}) {
    const Reply reply = exchange(port(), request);
    EXPECT_TRUE(reply.closed) << request;
    EXPECT_EQ(reply.bytes, "") << request;
  }
}

TEST_F(RichEditServerTest, APostDeliversItsTextToTheNamedControlAndGetsNoAnswer) {
  const std::string body = "42|h\xC3\xA9llo";
  for (const char* lengthLine : {"Content-Length: 9", "content-length:9", "CONTENT - Length  :  9"}) {
    const Reply reply = exchange(port(), postText(lengthLine, body));
    EXPECT_TRUE(reply.closed) << lengthLine;
    EXPECT_EQ(reply.bytes, "") << lengthLine;
    const auto events = deliveries();
    ASSERT_EQ(events.size(), 1u) << lengthLine;
    EXPECT_EQ(events[0].control, 42);
    EXPECT_EQ(events[0].code, 301);
    EXPECT_EQ(events[0].kind, 2);
    EXPECT_EQ(events[0].text, u"h\u00e9llo");
  }
}

TEST_F(RichEditServerTest, HtmlContentArrivesWholeWithItsBars) {
  exchange(port(), postWithLength("7|a|b", "/cmd/get/html"));
  const auto events = deliveries();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].control, 7);
  EXPECT_EQ(events[0].kind, 1);
  EXPECT_EQ(events[0].text, u"a|b");
}

TEST_F(RichEditServerTest, PostsThatNameNoControlOrNoCommandDeliverNothing) {
  const std::pair<const char*, const char*> posts[] = {
      {"42hello", "/cmd/get/text"}, {"0|x", "/cmd/get/text"}, {"-4|x", "/cmd/get/text"},
      {"42|x", "/web/default"},     {"42|x", "/cmd/get/TEXT"},
  };
  for (const auto& [body, path] : posts) {
    const Reply reply = exchange(port(), postWithLength(body, path));
    EXPECT_TRUE(reply.closed) << body << path;
    EXPECT_EQ(reply.bytes, "") << body << path;
  }
  EXPECT_TRUE(deliveries().empty());
}

TEST_F(RichEditServerTest, APostWithoutContentLengthIsDropped) {
  const Reply reply = exchangeThenHangUp(
      port(), "POST /cmd/get/text HTTP/1.1\r\n" + test::ownHostLine(port()) + kScriptMark + "\r\n42|hello");
  EXPECT_TRUE(reply.closed);
  EXPECT_EQ(reply.bytes, "");
  EXPECT_TRUE(deliveries().empty());
}

TEST_F(RichEditServerTest, ABodyInPiecesIsDeliveredOnceWithEveryByteThatCame) {
  RawHttpClient client(port());
  ASSERT_TRUE(client.send("POST /cmd/get/text HTTP/1.1\r\n" + test::ownHostLine(port()) + kScriptMark + "Content-Len"));
  Sleep(100);
  ASSERT_TRUE(client.send("gth: 9\r\n\r\n42|h"));
  Sleep(100);
  ASSERT_TRUE(client.send("\xC3\xA9l"));
  Sleep(100);
  EXPECT_TRUE(deliveries().empty());
  // The last piece overshoots the announced length.
  ASSERT_TRUE(client.send("lo!!"));
  const Reply reply = client.readUntilClosed(10000);
  EXPECT_TRUE(reply.closed);
  EXPECT_EQ(reply.bytes, "");
  const auto events = deliveries();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].text, u"h\u00e9llo!!");
}

TEST_F(RichEditServerTest, AnAnswerSurvivesRequestBytesTheServerNeverRead) {
  // A resource request's body is never read; closing over it must not reset
  // the connection before the client has the answer.
  const Reply reply = exchange(port(), test::pageGet(port(), "/web/jquery") + std::string(60000, 'f'));
  EXPECT_TRUE(reply.closed);
  EXPECT_TRUE(reply.bytes.ends_with(asText(jqueryLibrary())));
}

TEST_F(RichEditServerTest, RequestsNotFromItsOwnPageGetNoAnswerAndDeliverNothing) {
  const std::string own = test::ownHostLine(port());
  const std::string foreignOrigin = "Origin: http://evil.example\r\n";
  // A host name re-pointed at the loopback address, a request naming no
  // host, and another site's script.
  for (const std::string& request :
       {"GET /web/default HTTP/1.1\r\nHost: rebound.example:" + std::to_string(port()) + "\r\n\r\n",
        std::string("GET /web/default HTTP/1.1\r\n\r\n"),
        "GET /web/default HTTP/1.1\r\n" + own + foreignOrigin + "\r\n"}) {
    const Reply reply = exchange(port(), request);
    EXPECT_TRUE(reply.closed) << request;
    EXPECT_EQ(reply.bytes, "") << request;
  }
  const std::string body = "42|planted";
  const std::string length = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  for (const std::string& head : {own + kScriptMark + foreignOrigin,
                                  // a cross-site form post cannot add the script's mark
                                  own + "Content-Type: application/x-www-form-urlencoded\r\n",
                                  "Host: rebound.example:" + std::to_string(port()) + "\r\n" + kScriptMark}) {
    const Reply reply = exchange(port(), "POST /cmd/get/text HTTP/1.1\r\n" + head + length + body);
    EXPECT_TRUE(reply.closed) << head;
    EXPECT_TRUE(deliveries().empty()) << head;
  }
  // The page itself, which names its own origin, is still heard.
  exchange(port(), postText("Origin: http://" + std::string(kListenAddress) + ":" + std::to_string(port()) +
                                "\r\nContent-Length: " + std::to_string(body.size()),
                            body));
  EXPECT_EQ(deliveries().size(), 1u);
}

TEST_F(RichEditServerTest, TwoThousandSequentialRequestsAllSucceed) {
  int failures = 0;
  for (int i = 0; i < 2000; ++i) {
    const Reply reply = exchange(port(), test::pageGet(port(), "/web/default"));
    if (!reply.closed || reply.bytes != kPageHead + std::string(kEditorPage)) ++failures;
  }
  EXPECT_EQ(failures, 0);
}

TEST_F(RichEditServerTest, ASilentClientIsDroppedAndTheNextOneServed) {
  RawHttpClient silent(port());
  ASSERT_TRUE(silent.connected());
  Sleep(200);  // let the server take up the silent connection first
  RawHttpClient next(port());
  ASSERT_TRUE(next.send(test::pageGet(port(), "/web/default")));

  const DWORD start = GetTickCount();
  const Reply dropped = silent.readUntilClosed(15000);
  const DWORD silentFor = GetTickCount() - start;
  EXPECT_TRUE(dropped.closed);
  EXPECT_EQ(dropped.bytes, "");
  EXPECT_GE(silentFor + 200, ServerLimits{}.silenceMs - 500);

  const Reply served = next.readUntilClosed(10000);
  EXPECT_TRUE(served.closed);
  EXPECT_EQ(served.bytes, kPageHead + std::string(kEditorPage));
}

TEST_F(RichEditServerTest, AClientTricklingBytesIsDroppedAtTheRequestBound) {
  // Every byte comes before the silence bound, yet the connection cannot
  // outlast the request bound.
  ServerLimits limits;
  limits.silenceMs = 1000;
  limits.requestMs = 2000;
  test::RecordingSink sink;
  RichEditServer quick(sink.sink(), jqueryLibrary(), limits);
  ASSERT_TRUE(quick.start());
  RawHttpClient client(quick.port());
  ASSERT_TRUE(client.send("POST /cmd/get/text HTTP/1.1\r\n"));
  bool stillOpen = true;
  for (int i = 0; i < 40 && stillOpen; ++i) {
    Sleep(300);
    stillOpen = client.send("X");
  }
  EXPECT_TRUE(client.readUntilClosed(5000).closed);
  const Reply reply = exchange(quick.port(), test::pageGet(quick.port(), "/web/default"));
  EXPECT_EQ(reply.bytes, kPageHead + std::string(kEditorPage));
}

TEST_F(RichEditServerTest, MalformedRequestsNeverWedgeTheServer) {
  const Reply noLineEnd = exchangeThenHangUp(port(), "GET /web/default HTTP/1.1");
  EXPECT_TRUE(noLineEnd.closed);
  EXPECT_EQ(noLineEnd.bytes, "");
  // An announced length past the bound is refused before the body is read.
  EXPECT_TRUE(exchange(port(), postText("Content-Length: 99999999999999999999", "42|x")).closed);
  EXPECT_TRUE(exchange(port(), postText("Content-Length: 10485760", "42|x")).closed);
  // A length that is no number reads as zero: the body that came is the body.
  exchange(port(), postText("Content-Length: -5", "42|neg"));
  const auto events = deliveries();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].text, u"neg");
  expectPageServed();

  std::string garbage(200000, '\0');
  unsigned state = 12345;
  for (char& c : garbage) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 24);
  }
  EXPECT_TRUE(exchange(port(), garbage).closed);
  EXPECT_TRUE(exchange(port(), "POST /cmd/get/text HTTP/1.1\r\n" + std::string(2 * 1024 * 1024, 'h')).closed);
  expectPageServed();
}

TEST_F(RichEditServerTest, ATenMegabyteBodyIsRefusedAndTheServerGoesOn) {
  RawHttpClient client(port());
  const std::string body(10 * 1024 * 1024, 'x');
  client.send(postText("Content-Length: " + std::to_string(body.size() + 3), "42|" + body));
  EXPECT_TRUE(client.readUntilClosed(10000).closed);
  EXPECT_TRUE(deliveries().empty());
  expectPageServed();
}

TEST(RichEditServer, TriesOtherPortsThenGivesUpQuietly) {
  auto ignore = [](std::int32_t, int, std::intptr_t, std::intptr_t, unsigned) { return 0; };
  ServerLimits limits;
  limits.bindAttempts = 0;
  RichEditServer none(ignore, jqueryLibrary(), limits);
  EXPECT_FALSE(none.start());
  EXPECT_EQ(none.port(), 0);

  // Two ports, one of them taken: the draw keeps going until it lands on
  // the free one (the chance of missing it 200 times is 2^-200).
  ServerLimits pair;
  RichEditServer first(ignore, jqueryLibrary(), pair);
  ASSERT_TRUE(first.start());
  const int taken = first.port();
  const int other = taken == pair.lastPort ? taken - 1 : taken + 1;
  pair.firstPort = std::min(taken, other);
  pair.lastPort = std::max(taken, other);
  RichEditServer second(ignore, jqueryLibrary(), pair);
  ASSERT_TRUE(second.start()) << "port " << other << " may be taken by someone else";
  EXPECT_EQ(second.port(), other);

  // Only the taken port: every attempt fails, and the server stays quiet.
  ServerLimits onlyTaken;
  onlyTaken.firstPort = onlyTaken.lastPort = taken;
  RichEditServer third(ignore, jqueryLibrary(), onlyTaken);
  EXPECT_FALSE(third.start());
  EXPECT_EQ(third.port(), 0);
}

}  // namespace
}  // namespace talvek::richedit
