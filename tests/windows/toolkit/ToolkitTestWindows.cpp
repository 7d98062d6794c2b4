#include "tests/windows/toolkit/ToolkitTestWindows.h"

#include "toolkit/core/ToolkitStartup.h"

namespace talvek::test {

void startToolkitOnce() {
  static const bool started = (toolkitStartup(), true);
  (void)started;
}

Window createToolkitWindow(const wchar_t* className) {
  startToolkitOnce();
  return Window(CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr));
}

void pumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace talvek::test
