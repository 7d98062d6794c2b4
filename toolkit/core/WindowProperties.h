// The per-window properties through which the routing finds a window's
// object and its focus, capture and hover controls.
#pragma once

#include <windows.h>

#include "toolkit/core/MessageRouter.h"
#include "toolkit/core/ToolkitWindow.h"

namespace talvek {

inline constexpr char kThisProperty[] = "RbUI_THIS";
inline constexpr char kFocusProperty[] = "RbUI_FUCOS";
inline constexpr char kCaptureProperty[] = "RbUI_MOUSECAPTURE";
inline constexpr char kMouseOnProperty[] = "RbUI_MOUSEON";

// The integer-atom property set to 1 once a control has drawn into the
// window's canvas; the form presents the canvas and clears it.
inline constexpr ATOM kPresentPendingAtom = 305;
bool presentPending(HWND window);
// Marking a form whose present timer rests brings it back to its pace.
void setPresentPending(HWND window, bool pending);
// An idle form slows its present timer until something is drawn again: its
// ticks would otherwise wake the program 33 times a second for nothing.
// Resting, not stopped: a flag set with SetPropW alone, as the property
// allows, is still presented, only later.
void restPresentTimer(HWND window);

ControlRef readRefProperty(HWND window, const char* name);
void writeRefProperty(HWND window, const char* name, ControlRef ref);

// "RbUI_THIS" holds the window object as its ToolkitWindow interface.
ToolkitWindow* windowObject(HWND window);
void setWindowObject(HWND window, ToolkitWindow* object);

// The routing properties of one window.
class WindowRoutingState final : public RoutingState {
 public:
  explicit WindowRoutingState(HWND window) : window_(window) {}

  ControlRef focus() const override { return readRefProperty(window_, kFocusProperty); }
  void setFocus(ControlRef ref) override { writeRefProperty(window_, kFocusProperty, ref); }
  ControlRef capture() const override { return readRefProperty(window_, kCaptureProperty); }
  ControlRef mouseOn() const override { return readRefProperty(window_, kMouseOnProperty); }
  void setMouseOn(ControlRef ref) override { writeRefProperty(window_, kMouseOnProperty, ref); }

 private:
  HWND window_;
};

}  // namespace talvek
