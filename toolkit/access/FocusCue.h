// The focus cue: a dotted frame just inside the focused control, drawn into
// the form's canvas only once the user has pressed a key in the window (a
// mouse user never sees it, as with the system's own controls). It is drawn
// as the last step of composing an area, so a control that redraws itself
// (a caret blinking) keeps it.
#pragma once

#include <windows.h>

#include "toolkit/core/Rect.h"
#include "toolkit/core/RoutedControl.h"

namespace talvek::focus_cue {

bool shown(HWND window);
// Turns the cue on or off for the window and redraws the focused control.
void setShown(HWND window, bool on);
// Moves the cue from one control to another (either may be 0).
void moved(HWND window, ControlRef from, ControlRef to);
// The composition overlay: the cue, where it crosses a composed area.
void drawOver(HWND window, HDC canvas, const Rect& area);

}  // namespace talvek::focus_cue
