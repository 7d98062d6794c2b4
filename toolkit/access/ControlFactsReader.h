// Gathers what a screen reader is told about a live control.
#pragma once

#include "toolkit/controls/ControlFacts.h"
#include "toolkit/controls/Control.h"

namespace talvek {

// Not const: the progress indicator's value accessors are get/set ones.
ControlFacts readControlFacts(Control& control);

}  // namespace talvek
