// Runs the rich-edit server for a benchmark driver: prints "port N" once it
// listens, and ends when its standard input closes (or after ten minutes).
#include <windows.h>

#include <cstdio>

#include "toolkit/richedit/JqueryLibrary.h"
#include "toolkit/richedit/RichEditServer.h"

namespace {

DWORD WINAPI readUntilClosed(void*) {
  char buffer[256];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) && got > 0) {
  }
  return 0;
}

}  // namespace

int main() {
  talvek::richedit::RichEditServer server(
      [](std::int32_t, int, std::intptr_t, std::intptr_t, unsigned) { return 0; }, talvek::richedit::jqueryLibrary());
  if (!server.start()) {
    std::printf("no port\n");
    return 1;
  }
  std::printf("port %d\n", server.port());
  std::fflush(stdout);
  HANDLE input = CreateThread(nullptr, 0, &readUntilClosed, nullptr, 0, nullptr);
  if (input) {
    WaitForSingleObject(input, 10 * 60 * 1000);
    CloseHandle(input);
  }
  return 0;
}
