// Everything a caller can give a request besides its address. In/out
// members are updated in place; an optional left empty was not given.
#pragma once

#include <optional>
#include <string>

namespace talvek {

struct HttpRequestOptions {
  // 1 sends "POST"; any other value "GET", and every non-zero value sends a body.
  int method = 0;
  // Posted when postBytes is empty.
  std::string postText;
  // Given: sent as the "Cookie:" line, WinINet's own cookies are switched
  // off, and the response's cookies are merged into it.
  std::optional<std::string> cookieJar;
  // Out: the response's cookie pairs joined by "; ".
  std::string returnedCookies;
  // In/out: header lines separated by CR LF; completed with the default lines.
  std::string extraHeaders;
  // Out: the Location value, else the whole raw response header text. An
  // incoming value survives when the response has no Location line.
  std::string location;
  bool noRedirect = false;
  std::string postBytes;
  std::optional<std::string> proxy;
  // Out: raw response headers, status line first, lines joined by CR LF.
  std::string responseHeaders;
};

}  // namespace talvek
