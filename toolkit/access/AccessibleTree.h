// A window's controls as a tree, found through the registry and the
// reference table: a reference that no longer names a live control of the
// window finds nothing. Reference 0 stands for the window's client area.
// UI thread only.
#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/controls/Control.h"

namespace talvek::accessible_tree {

// The live control of window named by ref; null for anything else.
Control* find(HWND window, ControlRef ref);
// The window's controls in registry order.
std::vector<ControlRef> run(HWND window);
// Children of a control (or of the client area for 0), oldest first.
std::vector<ControlRef> children(HWND window, ControlRef parent);
// The parent in the tree: 0 for a control straight on the form.
ControlRef parentOf(HWND window, ControlRef ref);
// The deepest shown control under a client point inside the subtree of
// within (0: the whole window); within itself when no child holds it, -1
// when the point is outside within.
ControlRef deepestAt(HWND window, ControlRef within, POINT client);
// The client rectangle of a control, or of the window for 0, in screen
// coordinates.
Rect screenRect(HWND window, ControlRef ref);

}  // namespace talvek::accessible_tree
