// Fetches one address with the HTTP client and writes the body to a file,
// so a test outside Wine can check what a request over TLS gives.
//   http_fetch.exe ADDRESS OUTPUT
// Exits 0 when the body is not empty, 1 when it is, 2 on bad use.
#include <fstream>
#include <string>

#include "netutil/HttpClient.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string body = talvek::HttpClient().requestText(argv[1]);
  std::ofstream(argv[2], std::ios::binary) << body;
  return body.empty() ? 1 : 0;
}
