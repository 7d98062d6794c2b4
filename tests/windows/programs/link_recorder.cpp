// Stands in for a URL-protocol handler: writes its own path, "|" and the
// command line it was started with to the file named by TALVEK_LINK_RECORD.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char target[MAX_PATH] = {};
  if (GetEnvironmentVariableA("TALVEK_LINK_RECORD", target, MAX_PATH) == 0) return 1;
  HANDLE file = CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 2;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string text = std::string(self) + "|" + GetCommandLineA();
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
