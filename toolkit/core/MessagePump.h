// Handling a thread's waiting window messages inside a wait of one's own.
#pragma once

#include <functional>

namespace talvek {

// Handles waiting messages until none is left or keepGoing(), asked after
// each one, says stop: messages that keep coming (a timer, a control that
// posts to itself) must not hold the caller beyond its own limit. A WM_QUIT
// is put back for the loop that owns it, and the result is then false.
bool dispatchWaitingMessages(const std::function<bool()>& keepGoing);

}  // namespace talvek
