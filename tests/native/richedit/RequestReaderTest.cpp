#include "toolkit/richedit/RequestReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talvek::richedit {
namespace {

using Status = RequestReader::Status;
constexpr std::size_t kBound = 4096;

// Feeds `pieces` one after the other; returns the status after the last.
Status feed(RequestReader& reader, const std::vector<std::string>& pieces) {
  Status status = Status::NeedMore;
  for (const std::string& piece : pieces) status = reader.append(piece);
  return status;
}

TEST(RequestReader, AResourceRequestEndsWithItsHeaderBlock) {
  for (const char* method : {"GET", "HEAD", "post", "OPTIONS"}) {
    RequestReader reader(kBound);
    EXPECT_EQ(reader.append(std::string(method) + " /web/default HTTP/1.1\r\nHost: x"), Status::NeedMore);
    // A body after the empty line is never waited for.
    EXPECT_EQ(reader.append("\r\nOrigin: y\r\n\r\nbody"), Status::Complete);
    EXPECT_EQ(reader.request().path, "/web/default");
    EXPECT_EQ(reader.request().headers, "Host: x\r\nOrigin: y");
    EXPECT_FALSE(reader.request().isPost);
    EXPECT_FALSE(reader.request().body);
  }
}

TEST(RequestReader, AResourceRequestCutOffInItsHeadersKeepsNoHeaders) {
  RequestReader reader(kBound);
  EXPECT_EQ(reader.append("GET /web/default HTTP/1.1\r\nHost: 127.89.64.254:50000\r\n"), Status::NeedMore);
  EXPECT_EQ(reader.peerClosed(), Status::Complete);
  EXPECT_EQ(reader.request().headers, "");
}

TEST(RequestReader, ThePathIsTheTargetExactlyAsSentOrEmptyWithoutASecondSpace) {
  const std::pair<const char*, const char*> cases[] = {
      {"GET /web/default?x=1 HTTP/1.1\r\n", "/web/default?x=1"},
      {"GET /WEB/Default HTTP/1.1\r\n", "/WEB/Default"},
      {"GET /web/default\r\n", ""},
      {"GET\r\n", ""},
      {"GET  /a HTTP/1.1\r\n", ""},
  };
  for (const auto& [line, path] : cases) {
    RequestReader reader(kBound);
    EXPECT_EQ(reader.append(std::string(line) + "\r\n"), Status::Complete) << line;
    EXPECT_EQ(reader.request().path, path) << line;
  }
}

TEST(RequestReader, ARequestLineSplitAcrossReceivesIsFoundOnce) {
  RequestReader reader(kBound);
  EXPECT_EQ(feed(reader, {"GET /web/jquery HTTP/1.1\r", "\nHost: a\r\n\r\n"}), Status::Complete);
  EXPECT_EQ(reader.request().path, "/web/jquery");
}

TEST(RequestReader, APostIsCompleteWhenItsAnnouncedBodyHasArrived) {
  RequestReader reader(kBound);
  EXPECT_EQ(feed(reader, {"POST /cmd/get/text HTTP/1.1\r\nHost: a\r\nConTent-LENGTH :  9\r",
                          "\n\r\n42|h", "\xC3\xA9ll"}),
            Status::NeedMore);
  EXPECT_FALSE(reader.request().body);
  EXPECT_EQ(reader.append("o"), Status::Complete);
  EXPECT_TRUE(reader.request().isPost);
  EXPECT_EQ(reader.request().path, "/cmd/get/text");
  EXPECT_EQ(reader.request().body, "42|h\xC3\xA9llo");
}

TEST(RequestReader, BytesBeyondTheAnnouncedLengthStayInTheBody) {
  RequestReader reader(kBound);
  EXPECT_EQ(reader.append("POST /cmd/get/text HTTP/1.1\r\nContent-Length: 3\r\n\r\n1|abcdef"),
            Status::Complete);
  EXPECT_EQ(reader.request().body, "1|abcdef");
}

TEST(RequestReader, APostWithoutHeadersMayUseTheRequestLineEndForTheEmptyLine) {
  RequestReader reader(kBound);
  // No content-length line at all: the body is dropped.
  EXPECT_EQ(reader.append("POST /cmd/get/text HTTP/1.1\r\n\r\n7|x"), Status::Complete);
  EXPECT_TRUE(reader.request().isPost);
  EXPECT_FALSE(reader.request().body);
}

TEST(RequestReader, AnUnreadableLengthCountsAsZero) {
  for (const char* value : {"-5", "abc", ""}) {
    RequestReader reader(kBound);
    EXPECT_EQ(reader.append(std::string("POST /cmd/get/text HTTP/1.1\r\nContent-Length:") + value +
                            "\r\n\r\n"),
              Status::Complete)
        << value;
    EXPECT_EQ(reader.request().body, "") << value;
  }
}

TEST(RequestReader, APeerThatClosesEarlyLeavesThePostWithoutBody) {
  const std::vector<std::vector<std::string>> early = {
      {"POST /cmd/get/text HTTP/1.1\r\nContent-Length: 9\r\n"},
      {"POST /cmd/get/text HTTP/1.1\r\nContent-Length: 9\r\n\r\n42|"},
      {"POST /cmd/get/text HTTP/1.1"},
  };
  for (const auto& pieces : early) {
    RequestReader reader(kBound);
    EXPECT_EQ(feed(reader, pieces), Status::NeedMore);
    EXPECT_EQ(reader.peerClosed(), Status::Complete);
    EXPECT_FALSE(reader.request().body);
  }
}

TEST(RequestReader, RequestsPastTheBoundAreRefused) {
  {
    RequestReader reader(kBound);  // a request line that never ends
    EXPECT_EQ(reader.append(std::string(kBound + 1, 'A')), Status::TooLarge);
  }
  {
    RequestReader reader(kBound);  // headers that never end
    EXPECT_EQ(feed(reader, {"POST /cmd/get/text HTTP/1.1\r\n", std::string(kBound, 'h')}), Status::TooLarge);
  }
  for (const char* method : {"GET", "POST"}) {
    // Headers past the bound whose end comes in the receive that crosses it.
    RequestReader reader(kBound);
    const std::string start = std::string(method) + " /web/default HTTP/1.1\r\n";
    EXPECT_EQ(feed(reader, {start + std::string(kBound / 2, 'h'), std::string(kBound, 'h') + "\r\n\r\n"}),
              Status::TooLarge)
        << method;
    RequestReader wholeLine(kBound);
    EXPECT_EQ(wholeLine.append(std::string(kBound, 'A') + "\r\n\r\n"), Status::TooLarge) << method;
  }
  for (const char* length : {"4097", "99999999999999999999999999"}) {
    RequestReader reader(kBound);  // refused before any of the body is read
    EXPECT_EQ(reader.append(std::string("POST /cmd/get/text HTTP/1.1\r\nContent-Length: ") + length +
                            "\r\n\r\n"),
              Status::TooLarge)
        << length;
  }
  {
    RequestReader reader(kBound);  // a body growing past the bound with a small announced length
    EXPECT_EQ(feed(reader, {"POST /cmd/get/text HTTP/1.1\r\nContent-Length: 4096\r\n\r\n",
                            std::string(kBound, 'b')}),
              Status::TooLarge);
  }
}

TEST(AnnouncedContentLength, MatchesTheHeaderNameInAnyCaseAndSpacing) {
  constexpr std::size_t cap = 1000;
  EXPECT_EQ(announcedContentLength("POST / HTTP/1.1\r\ncontent-length:12", cap), 12u);
  EXPECT_EQ(announcedContentLength("POST / HTTP/1.1\r\n  CONTENT - Length  :  1 2", cap), 12u);
  // The code page's full-width space counts as a space.
  EXPECT_EQ(announcedContentLength("POST / HTTP/1.1\r\nContent-Length:\xA1\xA1" "7", cap), 7u);
  EXPECT_EQ(announcedContentLength("POST / HTTP/1.1\r\nContent-Length: 7x9", cap), 7u);
  EXPECT_EQ(announcedContentLength("POST / HTTP/1.1\r\nContent-Length: 5\r\nContent-Length: 6", cap), 5u);
  EXPECT_EQ(announcedContentLength("POST / HTTP/1.1\r\nContent-Length: 1001", cap), 1001u);
  EXPECT_EQ(announcedContentLength("POST / HTTP/1.1\r\nContent-Length: 123456789012345678901234", cap), 1001u);
}

TEST(AnnouncedContentLength, OnlyALineNamedContentLengthCounts) {
  constexpr std::size_t cap = 1000;
  EXPECT_FALSE(announcedContentLength("POST / HTTP/1.1\r\nHost: a", cap));
  EXPECT_FALSE(announcedContentLength("POST / HTTP/1.1\r\nX-Content-Length: 5", cap));
  EXPECT_FALSE(announcedContentLength("POST / HTTP/1.1\r\nReferer: /?content-length:5", cap));
  EXPECT_EQ(announcedContentLength("POST / HTTP/1.1\r\nX-Content-Length: 5\r\nContent-Length: 2", cap), 2u);
}

}  // namespace
}  // namespace talvek::richedit
