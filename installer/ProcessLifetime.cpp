#include "installer/ProcessLifetime.h"

#include <windows.h>

namespace talvek {
namespace {

// Handles waiting messages until the queue is empty or the deadline has
// passed: messages that keep coming (a timer, a control posting to itself)
// must not hold the caller beyond its time.
void dispatchPending(DWORD start, DWORD milliseconds) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit for the main loop to see.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    if (GetTickCount() - start >= milliseconds) return;
  }
}

}  // namespace

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

void pumpMessagesFor(unsigned milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    dispatchPending(start, milliseconds);
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

}  // namespace talvek
