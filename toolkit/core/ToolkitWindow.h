// The seam between the window routing and a skinned top-level window: the
// window object set with setWindowObject gets every message first, and its
// form entry in the registry names its window.
// A form takes its negative reference from controlReferences().addForm,
// puts it at index 1 of the registry, stores itself with setWindowObject
// and gives the reference back (remove) when it is destroyed.
#pragma once

#include <cstdint>

#include "toolkit/core/RoutedControl.h"

namespace talvek {

class ToolkitWindow {
 public:
  virtual std::intptr_t handleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // Null once the window has been destroyed.
  virtual HostWindow hwnd() const = 0;
  // A control has drawn into the window's canvas, on the window's thread.
  virtual void drawingPending() {}
  // A control would paint just before the window's next present (the
  // window then sends it control_event::kPaintBeforePresent). False when the
  // window cannot wait: the control paints at once.
  virtual bool paintBeforePresent(ControlRef /*control*/) { return false; }

 protected:
  ~ToolkitWindow() = default;
};

}  // namespace talvek
