// The toolkit's start-up runs the rich-edit server once per process; it
// listens until the process ends.
#pragma once

#include "toolkit/richedit/ControlEventSink.h"

namespace talvek::richedit {

// Starts the server with `deliver` as its way into the controls (the
// toolkit's sendControlEventWithin). Returns once the first accept thread
// runs, or at once when the server gave up listening; later calls do
// nothing.
void startRichEditServer(ControlEventSink deliver);

// The port the started server listens on; 0 when it is not listening.
int richEditServerPort();

}  // namespace talvek::richedit
