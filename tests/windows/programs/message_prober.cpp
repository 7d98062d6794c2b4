// Plays another process on the desktop that sends the installer's private
// window messages, with all kinds of parameters, to every window of the
// installer's own classes (the system's windows in that process answer
// their own messages), after pointing each one's "RbUI_THIS" property at
// nothing. Usage: message_prober.exe [--close] [window title]
// (default: the installer's). Prints what it sent; exit code 2 when no
// window was found. Every send is bounded in time. --close instead asks
// the window to close and the session to end, as another program or the
// system's log-off does, and prints the answer to the latter.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr UINT kSendWaitMs = 2000;

struct Target {
  DWORD process = 0;
  std::vector<HWND> windows;
};

void collect(Target& target, HWND window) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[128] = {};
  GetClassNameW(window, className, 128);
  const std::wstring name = className;
  if (owner == target.process && (name.rfind(L"Talvek", 0) == 0 || name.rfind(L"RbSoft", 0) == 0)) {
    target.windows.push_back(window);
  }
}

BOOL CALLBACK collectTopLevel(HWND window, LPARAM parameter) {
  collect(*reinterpret_cast<Target*>(parameter), window);
  return TRUE;
}

void collectMessageOnly(Target& target) {
  HWND after = nullptr;
  while ((after = FindWindowExW(HWND_MESSAGE, after, nullptr, nullptr)) != nullptr) collect(target, after);
}

// The private messages the installer and its toolkit use among their own
// threads, and what else a stranger might try.
std::vector<UINT> privateMessages() {
  return {0x8075, WM_APP + 0x11, WM_APP + 0x75, RegisterWindowMessageA("Rb_Msg_WM_UPDATERECT"),
          RegisterWindowMessageW(L"Talvek.Toolkit.AccessibleAction")};
}

}  // namespace

int main(int argc, char** argv) {
  const bool close = argc > 1 && std::string(argv[1]) == "--close";
  const int titleArgument = close ? 2 : 1;
  HWND main =
      argc > titleArgument ? FindWindowA(nullptr, argv[titleArgument]) : FindWindowW(nullptr, L"Talvek - 在线安装");
  if (!main) {
    std::printf("no window titled as asked\n");
    return 2;
  }
  if (close) {
    DWORD_PTR endSession = 0;
    const bool answered = SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG,
                                              kSendWaitMs, &endSession);
    const bool posted = PostMessageW(main, WM_CLOSE, 0, 0);
    std::printf("end of session %s; close %s\n", answered ? (endSession ? "allowed" : "refused") : "unanswered",
                posted ? "posted" : "not posted");
    return 0;
  }
  Target target;
  GetWindowThreadProcessId(main, &target.process);
  EnumWindows(&collectTopLevel, reinterpret_cast<LPARAM>(&target));
  collectMessageOnly(target);

  std::vector<WPARAM> values = {0, 1, 2, 0x10, 0x1000, 0x7FFFFFFF, 0x80000000, 0xDEADBEEF, 0xFFFFFFFF};
  // Small numbers are control references and call numbers.
  for (WPARAM ref = 3; ref <= 40; ++ref) values.push_back(ref);
  int sent = 0, posted = 0, propertiesSet = 0;
  for (HWND window : target.windows) {
    // A stranger may also point the window's object property anywhere.
    if (SetPropA(window, "RbUI_THIS", reinterpret_cast<HANDLE>(0xDEADBEEF))) ++propertiesSet;
    for (UINT message : privateMessages()) {
      for (WPARAM w : {WPARAM(0), WPARAM(1), WPARAM(0xDEADBEEF)}) {
        for (WPARAM l : values) {
          DWORD_PTR ignored = 0;
          if (SendMessageTimeoutW(window, message, w, static_cast<LPARAM>(l), SMTO_ABORTIFHUNG, kSendWaitMs,
                                  &ignored)) {
            ++sent;
          }
          if (PostMessageW(window, message, l, static_cast<LPARAM>(w))) ++posted;
        }
      }
    }
    // The system marshals this one; a stranger may still send it empty.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETMINMAXINFO, 0, 0, SMTO_ABORTIFHUNG, kSendWaitMs, &ignored);
  }
  std::printf("%u windows, %d sent, %d posted, %d object properties set\n",
              static_cast<unsigned>(target.windows.size()), sent, posted, propertiesSet);
  return 0;
}
