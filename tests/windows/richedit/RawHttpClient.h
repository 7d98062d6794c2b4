// A client speaking raw bytes over Winsock to the rich-edit server, so tests
// see exactly what goes over the wire, including no answer at all.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/core/WinHandles.h"

namespace talvek::test {

struct Reply {
  std::string bytes;
  // The server closed (or reset) the connection before the wait ran out.
  bool closed = false;
};

class RawHttpClient {
 public:
  explicit RawHttpClient(int port);
  bool connected() const { return connected_; }
  // False once the server has closed or reset the connection.
  bool send(std::string_view bytes);
  void endSending();
  // Reads until the server closes the connection or `ms` pass.
  Reply readUntilClosed(unsigned ms);

 private:
  Socket socket_;
  bool connected_ = false;
};

// The header line the server's own page sends with every request: its own
// address and port as the host.
std::string ownHostLine(int port);
// A GET as the browser showing the page sends it.
std::string pageGet(int port, std::string_view path);
// A post as the page's script sends it: own host, the script's mark, and
// the body's length.
std::string scriptPost(int port, std::string_view path, std::string_view body);

// Connects, sends `request`, then reads until the server closes.
Reply exchange(int port, std::string_view request, unsigned ms = 10000);
// The same, but the client ends its sending side after the request.
Reply exchangeThenHangUp(int port, std::string_view request, unsigned ms = 10000);

}  // namespace talvek::test
