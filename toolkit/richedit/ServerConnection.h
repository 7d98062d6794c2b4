// One accepted connection of the rich-edit server. Every wait is bounded:
// by the silence limit for each step, and by the request limit for the
// connection as a whole, so a client can hold the server only that long.
#pragma once

#include <cstddef>
#include <string_view>

#include "toolkit/core/WinHandles.h"
#include "toolkit/richedit/ServerLimits.h"

namespace talvek::richedit {

class ServerConnection {
 public:
  enum class Received { Data, PeerClosed, Failed };

  ServerConnection(Socket socket, const ServerLimits& limits);

  // Waits for bytes; `size` receives how many arrived. Silence past the
  // bound, the connection's time running out and socket errors all report
  // Failed.
  Received receive(char* buffer, int capacity, int& size);
  bool sendAll(std::string_view bytes);
  // Ends our side, then lets the client read the answer and close its side
  // before the socket goes (bounded by the linger limit).
  void closeAfterAnswer();

 private:
  // Waits at most `ms` for the socket to become readable (or writable);
  // false when it did not.
  bool waitUntilReady(bool forWriting, unsigned ms) const;
  // What remains of the connection's time, never more than one silence.
  unsigned nextWaitMs() const;

  Socket socket_;
  const ServerLimits& limits_;
  DWORD acceptedAt_;
};

}  // namespace talvek::richedit
