// The installer's window and the loop that drives it.
#pragma once

namespace talvek {

// Builds and shows the window, then runs the message loop until it ends.
void buildMainWindow();

}  // namespace talvek
