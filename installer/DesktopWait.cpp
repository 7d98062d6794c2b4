#include "installer/DesktopWait.h"

#include <windows.h>

namespace talvek {
namespace {

constexpr UINT kAnswerWaitMs = 500;
constexpr DWORD kPauseMs = 100;

}  // namespace

// Under Wine the desktop is a process of its own, started with the first
// program, and a program picks its display driver at its first window,
// from what that process has published by then. A desktop still starting
// on a busy machine (Wine gives it ten seconds) leaves the program without
// a display for good: its windows exist but never reach the screen.
bool waitForAnsweringDesktop(std::uint32_t boundMs) {
  const ULONGLONG deadline = GetTickCount64() + boundMs;
  for (;;) {
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutW(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerWaitMs,
                            &ignored) != 0) {
      return true;
    }
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPauseMs);
  }
}

}  // namespace talvek
