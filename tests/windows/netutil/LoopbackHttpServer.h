// A small HTTP server on 127.0.0.1 for the client tests: one thread accepts
// connections, records each request and sends what the test's responder
// returns, one request per connection. It stops when destroyed, and on its
// own after a minute, so no test can hang on it.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "toolkit/core/WinHandles.h"

namespace talvek::test {

struct RecordedRequest {
  std::string method;
  std::string path;
  std::vector<std::string> headerLines;  // in the order they arrived
  std::string body;

  // The value of the first header of that name (any case); empty when none.
  std::string header(const std::string& name) const;
  // Where the first header of that name is among the lines; -1 when none.
  int headerIndex(const std::string& name) const;
  int headerCount(const std::string& name) const;
};

class LoopbackHttpServer {
 public:
  using Responder = std::function<std::string(const RecordedRequest&)>;

  explicit LoopbackHttpServer(Responder responder);
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  bool listening() const { return port_ != 0; }
  int port() const { return port_; }
  // "http://127.0.0.1:PORT/"
  std::string base() const;
  std::vector<RecordedRequest> requests() const;

  // A complete response; `headers` are lines without their CR LF.
  static std::string response(const std::string& statusLine,
                              const std::vector<std::string>& headers, const std::string& body);
  static std::string ok(const std::string& body) { return response("200 OK", {}, body); }

 private:
  void serve();
  void answer(SOCKET connection);

  Responder responder_;
  Socket listener_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<RecordedRequest> requests_;
  std::thread thread_;
};

}  // namespace talvek::test
