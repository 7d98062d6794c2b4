#include "toolkit/core/MessagePump.h"

#include <windows.h>

namespace talvek {

bool dispatchWaitingMessages(const std::function<bool()>& keepGoing) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    if (!keepGoing()) break;
  }
  return true;
}

}  // namespace talvek
