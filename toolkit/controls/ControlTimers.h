// The toolkit's control timers: window timers and multimedia ("fast")
// timers, kept in one guarded table. Each tick reaches the control as
// event 10 (key, value) on the UI thread: fast ticks fire on a system
// thread and are posted over.
#pragma once

#include "toolkit/core/RoutedControl.h"

namespace talvek {

// False when Windows refuses the timer; nothing is stored then. A timer of
// the same control, key and kind is replaced.
bool startControlTimer(ControlRef control, int key, int intervalMs, int value);
bool startFastControlTimer(ControlRef control, int key, int intervalMs, int value);
void stopControlTimer(ControlRef control, int key);
void stopFastControlTimer(ControlRef control, int key);
// Every timer of the control; once this returns none of them reaches it.
void stopAllControlTimers(ControlRef control);

}  // namespace talvek
