// Keeps the socket library initialised for as long as the object lives.
#pragma once

#include <winsock2.h>

namespace talvek::richedit {

class WinsockSession {
 public:
  explicit WinsockSession(WORD version) {
    WSADATA data{};
    started_ = WSAStartup(version, &data) == 0;
  }
  ~WinsockSession() {
    if (started_) WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;

  bool started() const { return started_; }

 private:
  bool started_ = false;
};

}  // namespace talvek::richedit
