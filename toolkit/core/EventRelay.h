// A message-only window on the UI thread that runs control events sent
// from other threads, so a control is never used off its own thread and
// never while the UI thread is adding or removing controls.
#pragma once

#include <cstdint>
#include <optional>
#include <thread>

namespace talvek {

// Creates the relay on the calling thread (once; later calls do nothing).
// Returns whether a relay exists.
bool startEventRelay();

inline constexpr unsigned kWaitWithoutBound = 0xFFFFFFFF;

// The handler's result, or empty when no relay runs on the owner thread or
// the owner thread did not take the event within waitMs (nor at once, when
// it looks hung): such an event is dropped and never runs. A handler that
// has started is always waited for, since it uses the caller's arguments.
std::optional<int> relayControlEvent(std::thread::id owner, std::int32_t control, int code,
                                     std::intptr_t arg1, std::intptr_t arg2,
                                     unsigned waitMs = kWaitWithoutBound);

}  // namespace talvek
