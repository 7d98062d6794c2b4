#include "toolkit/richedit/RichEditServer.h"

#include <random>
#include <string>
#include <utility>

#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/SystemRandom.h"
#include "toolkit/richedit/PostedContent.h"
#include "toolkit/richedit/RequestReader.h"
#include "toolkit/richedit/ServerConnection.h"

namespace talvek::richedit {
namespace {

constexpr int kReceiveBufferBytes = 10000;

sockaddr_in endpoint(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = inet_addr(kListenAddress);
  address.sin_port = htons(static_cast<u_short>(port));
  return address;
}

// Not the runtime's random device, which would link its whole
// token-parsing set-up for one number. A failed draw leaves 0; the other
// seeds still differ from run to run.
unsigned systemRandom() {
  unsigned value = 0;
  if (!drawSystemRandom(&value, sizeof value)) value = 0;
  return value;
}

std::mt19937 seededGenerator() {
  std::seed_seq seed{systemRandom(), static_cast<unsigned>(GetTickCount()),
                     static_cast<unsigned>(GetCurrentProcessId()),
                     static_cast<unsigned>(GetCurrentThreadId())};
  return std::mt19937(seed);
}

enum class ReadOutcome { Answer, Drop };

ReadOutcome readRequest(ServerConnection& connection, RequestReader& reader) {
  char buffer[kReceiveBufferBytes];
  for (;;) {
    int size = 0;
    RequestReader::Status status = RequestReader::Status::NeedMore;
    switch (connection.receive(buffer, sizeof buffer, size)) {
      case ServerConnection::Received::Data:
        status = reader.append(std::string_view(buffer, static_cast<std::size_t>(size)));
        break;
      case ServerConnection::Received::PeerClosed:
        status = reader.peerClosed();
        break;
      case ServerConnection::Received::Failed:
        return ReadOutcome::Drop;
    }
    if (status == RequestReader::Status::Complete) return ReadOutcome::Answer;
    if (status == RequestReader::Status::TooLarge) return ReadOutcome::Drop;
  }
}

}  // namespace

RichEditServer::RichEditServer(ControlEventSink deliver, std::span<const std::uint8_t> jquery,
                               const ServerLimits& limits)
    : deliver_(std::move(deliver)),
      routes_(jquery),
      limits_(limits),
      winsock_(MAKEWORD(1, 1)),
      chainEnded_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

RichEditServer::~RichEditServer() {
  if (!chainStarted_) return;
  stopping_ = true;
  wakeAcceptingThread();
  // The serving thread finishes its connection within the connection bounds.
  WaitForSingleObject(chainEnded_.get(), limits_.requestMs + limits_.handOverMs + limits_.lingerMs + 10000);
}

bool RichEditServer::start() {
  if (!winsock_.started() || !chainEnded_) return false;
  listener_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (!listener_) return false;
  // No other socket may take over our port while we hold it.
  BOOL exclusive = TRUE;
  setsockopt(listener_.get(), SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
             sizeof exclusive);
  if (!bindRandomPort() || listen(listener_.get(), kListenBacklog) == SOCKET_ERROR) {
    port_ = 0;
    listener_.reset();
    return false;
  }
  gate_ = RequestGate(kListenAddress, port_);
  chainStarted_ = startAcceptThread();
  return chainStarted_;
}

bool RichEditServer::bindRandomPort() {
  std::mt19937 generator = seededGenerator();
  std::uniform_int_distribution<int> ports(limits_.firstPort, limits_.lastPort);
  for (int attempt = 0; attempt < limits_.bindAttempts; ++attempt) {
    port_ = ports(generator);
    const sockaddr_in address = endpoint(port_);
    if (bind(listener_.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      return true;
    }
  }
  return false;
}

bool RichEditServer::startAcceptThread() {
  // The chain never joins its threads: each successor's handle is let go at once.
  Handle thread(CreateThread(nullptr, 0, &RichEditServer::acceptThread, this, 0, nullptr));
  return static_cast<bool>(thread);
}

DWORD WINAPI RichEditServer::acceptThread(void* server) {
  static_cast<RichEditServer*>(server)->acceptAndServe();
  return 0;
}

void RichEditServer::acceptAndServe() {
  while (!stopping_) {
    Socket connection(accept(listener_.get(), nullptr, nullptr));
    if (stopping_) break;
    if (connection) {
      serveGuarded(std::move(connection));
    } else {
      // A client that gave up before being accepted; do not race on a
      // failing listener either.
      Sleep(10);
      continue;
    }
    if (stopping_) break;
    if (startAcceptThread()) return;
    // No successor could be started: this thread carries on instead, so the
    // server never goes deaf.
  }
  SetEvent(chainEnded_.get());
}

void RichEditServer::serveGuarded(Socket socket) {
  try {
    ServerConnection connection(std::move(socket), limits_);
    serve(connection);
  } catch (...) {
    // Out of memory or a throwing delivery: this connection is lost, the
    // server goes on.
  }
}

void RichEditServer::serve(ServerConnection& connection) {
  RequestReader reader(limits_.maxRequestBytes);
  if (readRequest(connection, reader) == ReadOutcome::Drop) return;
  answer(connection, reader.request());
  connection.closeAfterAnswer();
}

void RichEditServer::answer(ServerConnection& connection, const HttpRequest& request) {
  if (request.isPost) {
    // Posts get no HTTP answer, delivered or not.
    if (!gate_.mayDeliver(request)) return;
    if (std::optional<PostedContent> content = postedContent(request)) {
      deliver_(content->control, control_event::kRichEditContent, static_cast<std::intptr_t>(content->kind),
               reinterpret_cast<std::intptr_t>(content->text.c_str()), limits_.handOverMs);
    }
    return;
  }
  if (!gate_.mayAnswer(request)) return;
  const Route* route = routes_.find(request.path);
  if (!route) return;
  const std::string head = responseHead(route->contentType, route->body.size());
  if (!connection.sendAll(head)) return;
  connection.sendAll(std::string_view(reinterpret_cast<const char*>(route->body.data()), route->body.size()));
}

void RichEditServer::wakeAcceptingThread() const {
  Socket waker(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (!waker) return;
  const sockaddr_in address = endpoint(port_);
  connect(waker.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
}

}  // namespace talvek::richedit
