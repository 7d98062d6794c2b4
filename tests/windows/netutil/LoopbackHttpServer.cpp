#include "tests/windows/netutil/LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <cstdlib>

namespace talvek::test {
namespace {

constexpr DWORD kServerLifetimeMs = 60000;
constexpr DWORD kReceiveTimeoutMs = 3000;
constexpr size_t kMaxRequestBytes = 1 << 20;

bool equalNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && _strnicmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string nameOf(const std::string& line) { return line.substr(0, line.find(':')); }

RecordedRequest parseRequest(const std::string& head, std::string body) {
  RecordedRequest request;
  size_t lineEnd = head.find("\r\n");
  std::string requestLine = head.substr(0, lineEnd);
  size_t space1 = requestLine.find(' ');
  size_t space2 = requestLine.rfind(' ');
  request.method = requestLine.substr(0, space1);
  if (space1 != std::string::npos && space2 > space1) {
    request.path = requestLine.substr(space1 + 1, space2 - space1 - 1);
  }
  while (lineEnd != std::string::npos) {
    size_t next = head.find("\r\n", lineEnd + 2);
    std::string line = head.substr(
        lineEnd + 2, next == std::string::npos ? std::string::npos : next - lineEnd - 2);
    if (!line.empty()) request.headerLines.push_back(line);
    lineEnd = next;
  }
  request.body = std::move(body);
  return request;
}

}  // namespace

std::string RecordedRequest::header(const std::string& name) const {
  int index = headerIndex(name);
  if (index < 0) return {};
  const std::string& line = headerLines[static_cast<size_t>(index)];
  size_t start = line.find_first_not_of(' ', line.find(':') + 1);
  return start == std::string::npos ? std::string() : line.substr(start);
}

int RecordedRequest::headerIndex(const std::string& name) const {
  for (size_t i = 0; i < headerLines.size(); ++i) {
    if (equalNoCase(nameOf(headerLines[i]), name)) return static_cast<int>(i);
  }
  return -1;
}

int RecordedRequest::headerCount(const std::string& name) const {
  int count = 0;
  for (const std::string& line : headerLines) count += equalNoCase(nameOf(line), name) ? 1 : 0;
  return count;
}

LoopbackHttpServer::LoopbackHttpServer(Responder responder) : responder_(std::move(responder)) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
  listener_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof(address);
  if (!listener_ ||
      bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener_.get(), 8) != 0 ||
      getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return;
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  listener_.reset();
  WSACleanup();
}

std::string LoopbackHttpServer::base() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

std::vector<RecordedRequest> LoopbackHttpServer::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

std::string LoopbackHttpServer::response(const std::string& statusLine,
                                         const std::vector<std::string>& headers,
                                         const std::string& body) {
  std::string text = "HTTP/1.1 " + statusLine + "\r\n";
  for (const std::string& line : headers) text += line + "\r\n";
  text += "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
  return text + body;
}

void LoopbackHttpServer::serve() {
  try {
    const DWORD started = GetTickCount();
    while (!stopping_ && GetTickCount() - started < kServerLifetimeMs) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(listener_.get(), &readable);
      timeval wait{0, 50000};
      if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
      Socket connection(accept(listener_.get(), nullptr, nullptr));
      if (connection) answer(connection.get());
    }
  } catch (...) {
    // A failing test must not take the process down from this thread.
  }
}

void LoopbackHttpServer::answer(SOCKET connection) {
  DWORD timeout = kReceiveTimeoutMs;
  setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
             sizeof(timeout));
  std::string received;
  char chunk[4096];
  size_t headEnd = std::string::npos;
  size_t bodyLength = 0;
  while (received.size() < kMaxRequestBytes) {
    if (headEnd != std::string::npos && received.size() >= headEnd + 4 + bodyLength) break;
    int got = recv(connection, chunk, sizeof(chunk), 0);
    if (got <= 0) break;
    received.append(chunk, static_cast<size_t>(got));
    if (headEnd == std::string::npos &&
        (headEnd = received.find("\r\n\r\n")) != std::string::npos) {
      RecordedRequest head = parseRequest(received.substr(0, headEnd), "");
      bodyLength =
          static_cast<size_t>(std::strtoul(head.header("Content-Length").c_str(), nullptr, 10));
    }
  }
  if (headEnd == std::string::npos) return;
  RecordedRequest request =
      parseRequest(received.substr(0, headEnd), received.substr(headEnd + 4, bodyLength));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(request);
  }
  std::string reply = responder_(request);
  size_t sent = 0;
  while (sent < reply.size()) {
    int put = send(connection, reply.data() + sent, static_cast<int>(reply.size() - sent), 0);
    if (put <= 0) break;
    sent += static_cast<size_t>(put);
  }
  shutdown(connection, SD_SEND);
  // Let the client read everything before the socket closes.
  while (recv(connection, chunk, sizeof(chunk), 0) > 0) {
  }
}

}  // namespace talvek::test
