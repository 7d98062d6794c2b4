// A control's default action, done the way the mouse does it: the same
// toolkit events at the control's centre, so the owner sees exactly what
// a click gives it. A request from an accessibility client is posted and
// done later, never inside the client's call (the client waits for the
// call, and an action may run a modal loop or a whole installation).
#pragma once

#include <windows.h>

#include "toolkit/controls/Control.h"

namespace talvek::default_action {

// The private message that carries a posted action (wParam: the process's
// seal, lParam: the control).
UINT message();
// False when the message could not be posted.
bool post(HWND window, ControlRef ref);
// Does nothing for a control that is gone, hidden, disabled or has no
// action.
void perform(HWND window, ControlRef ref);
// The posted message's action, done only when this process posted it:
// another process must not press the installer's buttons this way.
void performPosted(HWND window, WPARAM wParam, LPARAM lParam);
// Shown, enabled and of a class with an action.
bool available(Control& control);

}  // namespace talvek::default_action
