// hold_file PATH SECONDS: opens PATH denying every kind of sharing and keeps
// it open for SECONDS (at most a minute), as a program the installer does
// not know would. Prints "held" once the file is open; exit code 1 when it
// cannot be opened.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  std::printf("held\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(std::clamp(std::atoi(argv[2]), 0, 60)) * 1000);
  CloseHandle(file);
  return 0;
}
