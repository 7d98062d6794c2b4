// Waits, within a bound, for the desktop to answer messages before the
// installer makes its first window.
#pragma once

#include <cstdint>

namespace talvek {

// True once the desktop window answers a plain message (at once on
// Windows); false when it did not within boundMs.
bool waitForAnsweringDesktop(std::uint32_t boundMs);

}  // namespace talvek
