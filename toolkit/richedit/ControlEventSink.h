// How the rich-edit server hands posted content to the toolkit: the shape of
// the toolkit's sendControlEventWithin (control reference, event code, two
// arguments, how long the hand-over to the control's thread may wait),
// injected so the server does not depend on the live registry.
#pragma once

#include <cstdint>
#include <functional>

namespace talvek::richedit {

using ControlEventSink =
    std::function<int(std::int32_t control, int code, std::intptr_t arg1, std::intptr_t arg2, unsigned waitMs)>;

}  // namespace talvek::richedit
