// The dots per inch of the screen a window is on, as the system tells a
// program that declared itself aware of display scaling.
#pragma once

#include <windows.h>

#include "toolkit/core/DisplayScale.h"

namespace talvek {

// Sent to a per-monitor aware window moved to a screen of another scale;
// older headers lack it.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// The window's own value where the system has one per window (looked up at
// run time: Windows 10 1607 and later), else the screen's.
DisplayScale windowScale(HWND window);

}  // namespace talvek
