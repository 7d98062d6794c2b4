#include "toolkit/core/ToolkitWindowProc.h"

#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/ControlTree.h"
#include "toolkit/core/MessageRouter.h"
#include "toolkit/core/ToolkitLookup.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {

LRESULT CALLBACK toolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  try {
    if (filterAccessibilityMessage(window, message, wParam, lParam, result)) return result;
    ToolkitWindow* object = windowObject(window);
    result = object ? object->handleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
    ToolkitLookup lookup;
    WindowRoutingState state(window);
    MessageRouter(controlRegistry(), lookup, state, window).route(message, wParam, lParam);
    if (message == WM_NCDESTROY) setWindowObject(window, nullptr);
  } catch (...) {
    // A failing handler loses this one message; the window lives on.
  }
  return result;
}

ControlRef hitTest(HWND window, POINT point) {
  ToolkitLookup lookup;
  return hitTest(controlRegistry(), lookup, window, point.x, point.y);
}

int removeControlSubtree(int index) {
  ToolkitLookup lookup;
  return removeControlSubtree(controlRegistry(), lookup, index);
}

}  // namespace talvek
