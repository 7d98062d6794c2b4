// The keys a form answers for its controls: Tab and Shift+Tab move the
// focus among the controls a key can act on, Space and Enter do the
// focused button's or check box's action, Esc does the cancel control's.
// The first key pressed in a window turns its focus cue on.
#pragma once

#include <windows.h>

#include "toolkit/core/RoutedControl.h"

namespace talvek::keyboard {

// True when the key was used (the controls do not see it then).
bool onKeyDown(HWND window, WPARAM key);
// Gives the focus to a control a key can act on; false for any other.
bool focusControl(HWND window, ControlRef ref);
// The control whose action Esc does while it is shown and enabled (the
// close button); 0 for none.
void setCancelControl(HWND window, ControlRef ref);
ControlRef cancelControl(HWND window);

}  // namespace talvek::keyboard
