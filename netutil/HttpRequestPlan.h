// What one request sends, decided before any WinINet call: verb, user agent,
// connection target, request flags and the completed header text.
#pragma once

#include <string>
#include <string_view>

#include "netutil/HttpRequestOptions.h"

namespace talvek {

// Which WinINet request flags apply; the client maps them to the constants.
struct HttpRequestFlags {
  bool noCookies = false;
  bool noAutoRedirect = false;
  bool secure = false;                 // https
  bool ignoreRedirectToHttps = false;  // plain http
};

struct HttpRequestPlan {
  std::string verb;
  std::string userAgent;
  std::string host;
  int port = 0;
  std::string path;
  HttpRequestFlags flags;
  bool sendsBody = false;
  std::string body;
};

extern const char* const kDefaultUserAgent;

HttpRequestPlan planRequest(std::string_view address, const HttpRequestOptions& options);

// The value of a "User-Agent:" line of any letter case, else the default.
std::string userAgentFrom(std::string_view headers);

// Appends the Referer, Accept, Accept-Language and Content-Type lines the
// caller did not write (exact, case-sensitive names), then the Cookie line.
std::string completeHeaders(std::string headers, std::string_view address,
                            std::string_view cookieJar);

}  // namespace talvek
