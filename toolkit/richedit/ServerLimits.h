// Bounds that keep one client from holding the rich-edit server, which serves
// a single connection at a time. The values are documented in README.md.
#pragma once

#include <cstddef>

namespace talvek::richedit {

struct ServerLimits {
  // A connection that sends nothing for this long is closed unanswered.
  unsigned silenceMs = 5000;
  // A request not complete this long after its connection was accepted is
  // closed unanswered, however slowly its bytes keep trickling in.
  unsigned requestMs = 30000;
  // A request whose bytes (request line, headers and body) exceed this, or
  // whose announced body would, is closed unanswered.
  std::size_t maxRequestBytes = 1024 * 1024;
  // After answering, how long the server waits for the client to close its
  // side, so that unread request bytes do not turn the close into a reset
  // that could discard the answer at the client.
  unsigned lingerMs = 1000;
  // How long posted content may wait for the controls' thread to take it;
  // a thread busy for longer (or hung) loses the post, so the server goes
  // on accepting.
  unsigned handOverMs = 5000;
  // Random ports tried before the server gives up listening, drawn
  // uniformly from firstPort to lastPort.
  int bindAttempts = 200;
  int firstPort = 50000;
  int lastPort = 63000;
};

}  // namespace talvek::richedit
