#include <gtest/gtest.h>

#include <windows.h>

#include "installer/ProcessLifetime.h"
#include "toolkit/core/WinHandles.h"

namespace talvek::test {
namespace {

constexpr UINT kAgain = WM_APP + 1;
int handled = 0;

// Every message it handles posts the next one: a queue that never drains.
LRESULT CALLBACK repostingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kAgain) {
    ++handled;
    PostMessageW(window, kAgain, 0, 0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ProcessLifetime, APauseEndsOnTimeWhileMessagesKeepComing) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = repostingProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TalvekRepostingWindow";
  RegisterClassW(&windowClass);
  Window window(CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(window);
  PostMessageW(window.get(), kAgain, 0, 0);

  for (unsigned pause : {0u, 50u}) {
    handled = 0;
    const DWORD start = GetTickCount();
    pumpMessagesFor(pause);
    EXPECT_LT(GetTickCount() - start, pause + 1000) << pause;
    EXPECT_GE(handled, 1) << "the pause handles what waits";
  }
  // Drop the message still queued, so later tests start with a quiet queue.
  window.reset();
  MSG message;
  while (PeekMessageW(&message, nullptr, kAgain, kAgain, PM_REMOVE)) {
  }
}

}  // namespace
}  // namespace talvek::test
