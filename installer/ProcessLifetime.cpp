#include "installer/ProcessLifetime.h"

#include <windows.h>

#include "toolkit/core/MessagePump.h"

namespace talvek {

void terminateInstaller() {
  TerminateProcess(GetCurrentProcess(), 0);
  ExitProcess(0);  // not reached; keeps [[noreturn]] honest
}

int runMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void letWaitingMessagesRun(unsigned limitMs) {
  const DWORD start = GetTickCount();
  dispatchWaitingMessages([&] { return GetTickCount() - start < limitMs; });
}

void pumpMessagesFor(unsigned milliseconds) {
  const DWORD start = GetTickCount();
  const auto inTime = [&] { return GetTickCount() - start < milliseconds; };
  for (;;) {
    if (!dispatchWaitingMessages(inTime)) return;  // the program is quitting
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

}  // namespace talvek
