// Delivering a toolkit event to a control by its reference. Safe to call
// from any thread and with any number: only a reference that names a live
// control reaches a control; 0, negative, stale and unknown references do
// nothing and give 0.
#pragma once

#include <cstdint>

namespace talvek {

// On the control's own (UI) thread the handler runs at once. From another
// thread the call is handed to the UI thread through the event relay and
// waits for the handler there; without a relay it does nothing and gives 0.
int sendControlEvent(std::int32_t control, int code, std::intptr_t arg1, std::intptr_t arg2);

// The same, but a hand-over to another thread waits at most waitMs for
// that thread to take the event (no time at all when it looks hung); an
// event not taken by then is dropped and gives 0.
int sendControlEventWithin(std::int32_t control, int code, std::intptr_t arg1, std::intptr_t arg2, unsigned waitMs);

}  // namespace talvek
