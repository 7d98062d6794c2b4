// What the window routing needs to know about a control, and how it talks
// to one. The control base class derives from this; the router never sees
// more of a control than these fields and onEvent.
#pragma once

#include <cstdint>

#include "toolkit/core/DisplayScale.h"
#include "toolkit/core/Rect.h"

struct HWND__;

namespace talvek {

// A 32-bit name for a control (positive) or a form (negative); 0 is none.
// It is looked up in the reference table, never turned into a pointer.
using ControlRef = std::int32_t;
using HostWindow = HWND__*;

class RoutedControl {
 public:
  RoutedControl() = default;
  RoutedControl(const RoutedControl&) = delete;
  RoutedControl& operator=(const RoutedControl&) = delete;
  // Revokes the reference, so nothing can reach a destroyed control.
  virtual ~RoutedControl();

  virtual int onEvent(int code, std::intptr_t arg1, std::intptr_t arg2) = 0;

  // Gives the control a fresh reference (a stale one is never reissued) and
  // stores it in `handle`; the calling thread becomes the control's owner,
  // the only thread on which its events run.
  ControlRef attachReference();
  // The reference stops naming this control; `handle` becomes 0.
  void detachReference();

  ControlRef handle = 0;
  HostWindow window = nullptr;  // host top-level window; null = not attached
  ControlRef parent = 0;        // enclosing control; negative = the host form
  int visible = 0;
  int disabled = 0;
  int leftHeld = 0;   // set on left button-down, consumed on left button-up
  int rightHeld = 0;
  int depth = 0;      // parent's depth + 1
  int focusable = 0;
  // Both in the window's pixels; everything else a control knows is in
  // 96-dpi units, which `scale` turns into pixels.
  Rect windowRect;    // origin in host client coordinates (x, y used here)
  Rect visibleRect;   // the area that receives the mouse
  DisplayScale scale;
};

}  // namespace talvek
