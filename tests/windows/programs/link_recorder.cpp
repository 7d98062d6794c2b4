// Stands in for a URL-protocol handler: writes the command line it was
// started with to the file named by TALVEK_LINK_RECORD.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char target[MAX_PATH] = {};
  if (GetEnvironmentVariableA("TALVEK_LINK_RECORD", target, MAX_PATH) == 0) return 1;
  HANDLE file = CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  const char* line = GetCommandLineA();
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  CloseHandle(file);
  return 0;
}
