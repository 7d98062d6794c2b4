// The request reader of the rich-edit server as a state machine over the
// bytes received so far, free of any socket code: the connection loop feeds
// it whatever arrives and stops when it reports an end.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace talvek::richedit {

struct HttpRequest {
  // The request target exactly as sent, query included; empty when the
  // request line has no second space.
  std::string path;
  // The request line begins with exactly "POST".
  bool isPost = false;
  // Present only for a POST read completely.
  std::optional<std::string> body;
  // The header lines after the request line, as sent, without the empty
  // line; empty when the header block never arrived whole.
  std::string headers;
};

class RequestReader {
 public:
  enum class Status {
    NeedMore,  // receive more and call append again
    Complete,  // request() is final; answer it
    TooLarge,  // over the size bound: close the connection unanswered
  };

  explicit RequestReader(std::size_t maxRequestBytes);

  Status append(std::string_view bytes);
  // The peer closed its side: reading ends with what was gathered. A POST
  // that did not get its whole header block or body keeps no body.
  Status peerClosed();

  const HttpRequest& request() const { return request_; }

 private:
  enum class State { RequestLine, Headers, Body, Done };

  Status advance();
  Status readRequestLine();
  Status readHeaders();
  Status readBody();
  Status finish();
  bool overBound() const;

  std::size_t maxRequestBytes_;
  State state_ = State::RequestLine;
  std::string gathered_;
  // Where the search for the current terminator resumes; bytes before it
  // have been searched already.
  std::size_t searchFrom_ = 0;
  std::size_t headerBytes_ = 0;
  std::size_t contentLength_ = 0;
  HttpRequest request_;
};

// The announced body length of a header block (everything before the empty
// line): the digits after the first header line named "content-length", in
// any letter case and with spaces (ASCII or the code page's full-width
// space) anywhere. Absent when no line is named so. Values past `cap`
// come back as `cap` + 1.
std::optional<std::size_t> announcedContentLength(std::string_view headerBlock, std::size_t cap);

}  // namespace talvek::richedit
