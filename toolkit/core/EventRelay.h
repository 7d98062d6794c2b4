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

// The handler's result, or empty when no relay runs on the owner thread.
std::optional<int> relayControlEvent(std::thread::id owner, std::int32_t control, int code,
                                     std::intptr_t arg1, std::intptr_t arg2);

}  // namespace talvek
