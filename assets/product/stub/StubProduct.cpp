// Stands in for every program of the product in builds and tests. Each start
// appends "name|command line|working directory" to %TEMP%\TalvekStub.log,
// then runs until it is ended. Started as "Talvek.exe" it shows a small window
// titled "Talvek"; "--title T" gives its (hidden) window the title T.
#include <windows.h>

#include <string>

namespace {

constexpr char kLogName[] = "TalvekStub.log";

std::string baseName(const std::string& path) {
  auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ownPath() {
  char path[MAX_PATH] = {};
  return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

std::string currentDirectory() {
  char dir[MAX_PATH] = {};
  return std::string(dir, GetCurrentDirectoryA(MAX_PATH, dir));
}

void appendLogLine(const std::string& line) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string path = std::string(temp) + kLogName;
  // Several stubs may start at once: retry while another holds the file.
  for (int attempt = 0; attempt < 50; ++attempt) {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(file);
      return;
    }
    Sleep(20);
  }
}

std::string titleArgument(const std::string& commandLine) {
  const std::string flag = "--title ";
  auto at = commandLine.find(flag);
  if (at == std::string::npos) return {};
  std::string title = commandLine.substr(at + flag.size());
  if (!title.empty() && title.front() == '"') {
    auto end = title.find('"', 1);
    return title.substr(1, end == std::string::npos ? std::string::npos : end - 1);
  }
  return title.substr(0, title.find(' '));
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    HBRUSH background = CreateSolidBrush(RGB(28, 28, 28));
    FillRect(dc, &area, background);
    DeleteObject(background);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(179, 25, 53));
    DrawTextA(dc, "Talvek", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::string name = baseName(ownPath());
  const std::string commandLine = GetCommandLineA();
  appendLogLine(name + "|" + commandLine + "|" + currentDirectory() + "\r\n");

  WNDCLASSA wc{};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "TalvekStubProduct";
  RegisterClassA(&wc);

  const bool isMain = lstrcmpiA(name.c_str(), "Talvek.exe") == 0;
  std::string title = titleArgument(commandLine);
  if (title.empty() && isMain) title = "Talvek";
  HWND window = CreateWindowExA(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 360, 200,
                                nullptr, nullptr, instance, nullptr);
  if (isMain) ShowWindow(window, SW_SHOWNORMAL);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
