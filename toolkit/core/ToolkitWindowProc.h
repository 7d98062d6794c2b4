// The subclass procedure of every skinned top-level window, and the
// registry operations that need the window's own lookup.
#pragma once

#include <windows.h>

#include "toolkit/core/RoutedControl.h"

namespace talvek {

// The window's object (windowObject) handles every message first and its
// result is returned; the message is then routed to the controls.
LRESULT CALLBACK toolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The control under a point of window's client area, or 0.
ControlRef hitTest(HWND window, POINT point);
// Event 2 to the subtree ending at index, then out of the registry;
// returns how many entries the registry lost.
int removeControlSubtree(int index);

}  // namespace talvek
