// Hosts the toolkit's rich-edit server and one live control for a browser
// test: prints "port N control R", then for the first content the control
// receives prints "event 301 kind K text T" (T in UTF-8) and ends. Gives up
// after two minutes.
#include <windows.h>

#include <cstdio>
#include <string>

#include "toolkit/core/CodePage.h"
#include "toolkit/core/RoutedControl.h"
#include "toolkit/core/ToolkitStartup.h"
#include "toolkit/richedit/RichEditStart.h"

namespace {

constexpr UINT kGiveUpMs = 120000;

class PrintingControl : public talvek::RoutedControl {
 public:
  int onEvent(int code, std::intptr_t kind, std::intptr_t text) override {
    if (code != 301) return 0;
    const std::wstring content = reinterpret_cast<const wchar_t*>(text);
    std::printf("event 301 kind %d text %s\n", static_cast<int>(kind), talvek::fromWide(content, CP_UTF8).c_str());
    std::fflush(stdout);
    PostQuitMessage(0);
    return 0;
  }
};

void CALLBACK giveUp(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(1); }

}  // namespace

int main() {
  talvek::toolkitStartup();
  PrintingControl control;
  const talvek::ControlRef reference = control.attachReference();
  std::printf("port %d control %d\n", talvek::richedit::richEditServerPort(), static_cast<int>(reference));
  std::fflush(stdout);
  SetTimer(nullptr, 0, kGiveUpMs, &giveUp);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  control.detachReference();
  return static_cast<int>(message.wParam);
}
