// The toolkit window procedure's door to the accessibility server: the
// server (a module above the controls) installs a filter that sees every
// message of a toolkit window first and may answer it itself. Controls
// report their changes through announceAccessibleChange.
#pragma once

#include <windows.h>

#include "toolkit/core/Rect.h"
#include "toolkit/core/RoutedControl.h"

namespace talvek {

// True when the filter answered the message (result is then returned and
// the message goes no further).
using AccessibilityFilter = bool (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

void setAccessibilityFilter(AccessibilityFilter filter);
bool filterAccessibilityMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Drawn last over a freshly composed area of a window's canvas, so that
// what the server draws there (the focus cue) is part of every composition
// and no control that redraws itself can wipe it.
using CompositionOverlay = void (*)(HWND window, HDC canvas, const Rect& area);
void setCompositionOverlay(CompositionOverlay overlay);
void drawCompositionOverlay(HWND window, HDC canvas, const Rect& area);

// A win event about a control (its reference is its object id in the
// window); nothing for an unattached control.
void announceAccessibleChange(DWORD event, HWND window, ControlRef ref);

}  // namespace talvek
