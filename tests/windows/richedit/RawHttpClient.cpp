#include "tests/windows/richedit/RawHttpClient.h"

#include "toolkit/richedit/RichEditServer.h"

namespace talvek::test {

std::string ownHostLine(int port) {
  return "Host: " + std::string(richedit::kListenAddress) + ":" + std::to_string(port) + "\r\n";
}

std::string pageGet(int port, std::string_view path) {
  return "GET " + std::string(path) + " HTTP/1.1\r\n" + ownHostLine(port) + "\r\n";
}

std::string scriptPost(int port, std::string_view path, std::string_view body) {
  return "POST " + std::string(path) + " HTTP/1.1\r\n" + ownHostLine(port) +
         "X-Requested-With: XMLHttpRequest\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
         std::string(body);
}

RawHttpClient::RawHttpClient(int port) : socket_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
  if (!socket_) return;
  // No test may hang on a server that stops reading.
  DWORD timeoutMs = 10000;
  setsockopt(socket_.get(), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof timeoutMs);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = inet_addr(richedit::kListenAddress);
  address.sin_port = htons(static_cast<u_short>(port));
  connected_ = connect(socket_.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool RawHttpClient::send(std::string_view bytes) {
  while (!bytes.empty()) {
    const int sent = ::send(socket_.get(), bytes.data(), static_cast<int>(bytes.size()), 0);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

void RawHttpClient::endSending() { shutdown(socket_.get(), SD_SEND); }

Reply RawHttpClient::readUntilClosed(unsigned ms) {
  Reply reply;
  const DWORD start = GetTickCount();
  char buffer[16384];
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return reply;
    const unsigned left = ms - elapsed;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_.get(), &readable);
    timeval timeout{static_cast<long>(left / 1000), static_cast<long>((left % 1000) * 1000)};
    if (select(0, &readable, nullptr, nullptr, &timeout) <= 0) continue;
    const int got = recv(socket_.get(), buffer, sizeof buffer, 0);
    if (got <= 0) {
      reply.closed = true;
      return reply;
    }
    reply.bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

namespace {

Reply exchangeEndingSend(int port, std::string_view request, unsigned ms, bool hangUp) {
  RawHttpClient client(port);
  if (!client.connected() || !client.send(request)) return {};
  if (hangUp) client.endSending();
  return client.readUntilClosed(ms);
}

}  // namespace

Reply exchange(int port, std::string_view request, unsigned ms) {
  return exchangeEndingSend(port, request, ms, false);
}

Reply exchangeThenHangUp(int port, std::string_view request, unsigned ms) {
  return exchangeEndingSend(port, request, ms, true);
}

}  // namespace talvek::test
