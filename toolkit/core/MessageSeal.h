// Private window messages reach a window from every process on the desktop.
// Those that carry an address or set work going also carry this process's
// seal in wParam, a random number no other process can know, and are acted
// on only with it: anyone else's, whatever its parameters, is dropped.
#pragma once

#include <windows.h>

#include "toolkit/core/Rect.h"

namespace talvek::message_seal {

// Nonzero; drawn once per process from the system's random source.
WPARAM value();
bool matches(WPARAM candidate);

// A control asking its host window to present part of the canvas, on the
// window's own thread: the registered repaint message, sealed.
void sendUpdateRect(HWND window, const Rect& area);
// The rectangle of a repaint message, or null when it is not sealed (only
// then may lParam be read as an address).
const Rect* updateRectOf(WPARAM wParam, LPARAM lParam);

}  // namespace talvek::message_seal
