#pragma once

namespace talvek {

// The installer's start-up: the single-instance guard, then the window.
int startupRoutine();

}  // namespace talvek
