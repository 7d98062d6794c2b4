// Puts the input method's composition window of a window at a point, so
// what the user composes appears where the text goes in.
#pragma once

#include <windows.h>

namespace talvek {

// clientPoint: in the window's client coordinates. False when the window
// has no input context (no input method) or the call was refused.
bool placeCompositionWindow(HWND window, POINT clientPoint);

}  // namespace talvek
