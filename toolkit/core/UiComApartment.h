// The UI thread's COM apartment: single-threaded, so that calls from other
// processes (screen readers, test tools) arrive on the UI thread through
// its message loop. A failure leaves the toolkit working without it.
#pragma once

namespace talvek {

// Enters the calling thread's apartment once; it is left at process exit.
// False when COM refused (the thread already lives in another kind).
bool enterUiApartment();

// True only on the thread that entered the apartment, and only when it
// did: objects handed out there are called on that thread and no other.
bool inUiApartment();

}  // namespace talvek
