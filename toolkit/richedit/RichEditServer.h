// The toolkit's loopback HTTP server for the rich-edit page: it serves the
// page, its client script and jQuery, and hands content posted back by the
// page to the control the post names, as event 301.
//
// Connections are served strictly one at a time by a chain of accept
// threads: each accepts one connection, serves it, starts its successor and
// ends.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>

#include "toolkit/core/WinHandles.h"
#include "toolkit/richedit/ControlEventSink.h"
#include "toolkit/richedit/RequestGate.h"
#include "toolkit/richedit/RouteTable.h"
#include "toolkit/richedit/ServerLimits.h"
#include "toolkit/richedit/WinsockSession.h"

namespace talvek::richedit {

inline constexpr const char* kListenAddress = "127.89.64.254";
inline constexpr int kListenBacklog = 5;

class ServerConnection;
struct HttpRequest;

class RichEditServer {
 public:
  RichEditServer(ControlEventSink deliver, std::span<const std::uint8_t> jquery,
                 const ServerLimits& limits = {});
  // Ends the accept chain (waking a thread waiting in accept) and waits for
  // it, so no thread outlives the object.
  ~RichEditServer();
  RichEditServer(const RichEditServer&) = delete;
  RichEditServer& operator=(const RichEditServer&) = delete;

  // Binds a random port, listens and starts the first accept thread. False
  // when the server gave up; nothing else is reported.
  bool start();
  // The port listened on, 0 when not listening.
  int port() const { return port_; }

 private:
  static DWORD WINAPI acceptThread(void* server);
  bool startAcceptThread();
  void acceptAndServe();
  void serveGuarded(Socket connection);
  void serve(ServerConnection& connection);
  void answer(ServerConnection& connection, const HttpRequest& request);
  bool bindRandomPort();
  void wakeAcceptingThread() const;

  ControlEventSink deliver_;
  RouteTable routes_;
  RequestGate gate_;
  ServerLimits limits_;
  WinsockSession winsock_;
  Socket listener_;
  int port_ = 0;
  bool chainStarted_ = false;
  std::atomic<bool> stopping_{false};
  // Set by the last thread of the chain as it ends.
  Handle chainEnded_;
};

}  // namespace talvek::richedit
