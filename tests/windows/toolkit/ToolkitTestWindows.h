// Shared pieces of the toolkit's Windows tests: start-up once per process,
// hidden toolkit windows, and draining the message queue.
#pragma once

#include <windows.h>

#include "toolkit/core/WinHandles.h"

namespace talvek::test {

// toolkitStartup runs once per process, as in the program.
void startToolkitOnce();

// A hidden popup window of a toolkit class.
Window createToolkitWindow(const wchar_t* className);

// Dispatches everything queued for this thread.
void pumpMessages();

inline LPARAM pointParam(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace talvek::test
