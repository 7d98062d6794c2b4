#include "toolkit/richedit/ServerConnection.h"

#include <algorithm>
#include <utility>

namespace talvek::richedit {
namespace {

// Milliseconds since `start`; GetTickCount wraps, unsigned subtraction does not mind.
DWORD elapsedSince(DWORD start) { return GetTickCount() - start; }

}  // namespace

ServerConnection::ServerConnection(Socket socket, const ServerLimits& limits)
    : socket_(std::move(socket)), limits_(limits), acceptedAt_(GetTickCount()) {
  u_long nonBlocking = 1;
  ioctlsocket(socket_.get(), FIONBIO, &nonBlocking);
  // The head and the body go out as separate writes; without this the body
  // waits for the client's delayed acknowledgement of the head.
  BOOL noDelay = TRUE;
  setsockopt(socket_.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
}

unsigned ServerConnection::nextWaitMs() const {
  const DWORD elapsed = elapsedSince(acceptedAt_);
  if (elapsed >= limits_.requestMs) return 0;
  return std::min<unsigned>(limits_.silenceMs, limits_.requestMs - elapsed);
}

bool ServerConnection::waitUntilReady(bool forWriting, unsigned ms) const {
  if (ms == 0) return false;
  fd_set set;
  FD_ZERO(&set);
  FD_SET(socket_.get(), &set);
  timeval timeout{static_cast<long>(ms / 1000), static_cast<long>((ms % 1000) * 1000)};
  // A failed connection reports itself as readable (or writable) and the next
  // call says why. The socket is never put in two sets at once: Wine's
  // server aborts on such a poll.
  const int ready = select(0, forWriting ? nullptr : &set, forWriting ? &set : nullptr, nullptr, &timeout);
  return ready > 0;
}

ServerConnection::Received ServerConnection::receive(char* buffer, int capacity, int& size) {
  size = 0;
  for (;;) {
    if (!waitUntilReady(false, nextWaitMs())) return Received::Failed;
    const int got = recv(socket_.get(), buffer, capacity, 0);
    if (got > 0) {
      size = got;
      return Received::Data;
    }
    if (got == 0) return Received::PeerClosed;
    if (WSAGetLastError() != WSAEWOULDBLOCK) return Received::Failed;
    // A readiness report with nothing to read: wait again.
  }
}

bool ServerConnection::sendAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), 64 * 1024));
    const int sent = send(socket_.get(), bytes.data(), chunk, 0);
    if (sent > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK) return false;
    if (!waitUntilReady(true, nextWaitMs())) return false;
  }
  return true;
}

void ServerConnection::closeAfterAnswer() {
  if (shutdown(socket_.get(), SD_SEND) == SOCKET_ERROR) return;
  const DWORD start = GetTickCount();
  std::size_t drained = 0;
  char scratch[4096];
  while (drained <= limits_.maxRequestBytes) {
    const DWORD elapsed = elapsedSince(start);
    if (elapsed >= limits_.lingerMs) return;
    if (!waitUntilReady(false, limits_.lingerMs - elapsed)) return;
    const int got = recv(socket_.get(), scratch, sizeof scratch, 0);
    if (got == 0) return;
    if (got < 0 && WSAGetLastError() != WSAEWOULDBLOCK) return;
    if (got > 0) drained += static_cast<std::size_t>(got);
  }
}

}  // namespace talvek::richedit
