// How the control base's files reach a control from its reference and a
// form's canvas from its window.
#pragma once

#include <windows.h>

#include "toolkit/controls/Control.h"
#include "toolkit/core/ReferenceTable.h"

namespace talvek {

// The live control a reference names, or null.
inline Control* controlFrom(ControlRef ref) { return dynamic_cast<Control*>(controlReferences().control(ref)); }

// A DC a form publishes as a window property (kCanvasProperty and the like).
inline HDC dcProperty(HWND window, const char* name) { return static_cast<HDC>(GetPropA(window, name)); }

}  // namespace talvek
