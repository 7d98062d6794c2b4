// Where Tab and Shift+Tab move the focus: along a window's registry run,
// Tab towards the entry in front (wrapping from the first to the last),
// Shift+Tab the other way, stopping only at the candidates marked as stops.
// The one Tab order: a control's own Tab counts every control of its
// window a stop, the keyboard navigator only those a key can act on.
#pragma once

#include <vector>

#include "toolkit/core/RoutedControl.h"

namespace talvek {

struct FocusCandidate {
  ControlRef ref = 0;
  bool tabStop = false;
};

// The next tab stop from current (registry order); with no current one (or
// one not in the run) Tab starts from the end and Shift+Tab from the start.
// 0 when the run has no tab stop.
ControlRef nextTabStop(const std::vector<FocusCandidate>& run, ControlRef current, bool backwards);

}  // namespace talvek
