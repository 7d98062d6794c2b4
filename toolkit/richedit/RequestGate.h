// Which requests the rich-edit server acts on. The server listens on a
// loopback address, but any web page the user opens can make the browser
// send it requests: through a host name that its owner re-points at the
// loopback address (DNS rebinding), or as a cross-site form post. Only the
// server's own page, loaded from the server's own address and port, is
// answered, and only its script's posts are delivered.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/richedit/RequestReader.h"

namespace talvek::richedit {

class RequestGate {
 public:
  RequestGate() = default;
  // `address` and `port` are where the server listens; a browser that loaded
  // the page from there names them in "Host" and "Origin".
  RequestGate(std::string_view address, int port);

  // Exactly one "Host" naming this server, and no "Origin" of another site.
  bool mayAnswer(const HttpRequest& request) const;
  // What mayAnswer asks, and "X-Requested-With: XMLHttpRequest": the page's
  // script sends it to its own origin, while another site's page can send
  // it only after a preflight this server never grants.
  bool mayDeliver(const HttpRequest& request) const;

 private:
  std::string ownHost_;
  std::string ownOrigin_;
};

// The values of every header line named `name` (in any letter case) in a
// header block, without the spaces and tabs around them.
std::vector<std::string_view> headerValues(std::string_view headerBlock, std::string_view name);

}  // namespace talvek::richedit
