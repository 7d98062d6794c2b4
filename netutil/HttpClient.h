// One synchronous HTTP(S) request through WinINet with our own header,
// cookie and redirect rules. Every call opens and closes its own handles.
#pragma once

#include <string>

#include "netutil/HttpRequestOptions.h"

namespace talvek {

class HttpClient {
 public:
  // The response body; empty on failure.
  std::string requestBytes(const std::string& address, HttpRequestOptions& options) const;
  std::string requestBytes(const std::string& address) const;
  // The body as text up to its first zero byte, converted to code page 936
  // when the page declares UTF-8.
  std::string requestText(const std::string& address, HttpRequestOptions& options) const;
  std::string requestText(const std::string& address) const;
  // A GET that sends only what WinINet itself sends: none of our header
  // lines and no cookies, neither ours nor WinINet's store.
  std::string requestPlain(const std::string& address) const;

 private:
  enum class Result { Bytes, Text };
  std::string request(const std::string& address, HttpRequestOptions& options, Result result,
                      bool mayFollowMoved) const;
};

}  // namespace talvek
