// The per-window properties: those through which the routing finds a
// window's object and its focus, capture and hover controls, and those a
// form publishes for its controls.
#pragma once

#include <windows.h>

#include "toolkit/core/DisplayScale.h"
#include "toolkit/core/MessageRouter.h"
#include "toolkit/core/ToolkitWindow.h"

namespace talvek {

inline constexpr char kThisProperty[] = "RbUI_THIS";
inline constexpr char kFocusProperty[] = "RbUI_FUCOS";
inline constexpr char kCaptureProperty[] = "RbUI_MOUSECAPTURE";
inline constexpr char kMouseOnProperty[] = "RbUI_MOUSEON";
// A form's own: its object id, the procedure it replaced, and its two
// canvases (DC and GDI+ graphics each), through which controls draw.
inline constexpr char kObjectIdProperty[] = "RbUI_OBJID";
inline constexpr char kOldProcProperty[] = "RbUI_OLDPROC";
inline constexpr char kCanvasProperty[] = "RbUI_MDC";
inline constexpr char kCanvasGraphicsProperty[] = "RbUI_MDC_GP";
inline constexpr char kBackgroundProperty[] = "RbUI_MDC_BKG";
inline constexpr char kBackgroundGraphicsProperty[] = "RbUI_MDC_BKG_GP";
// The dots per inch of the form's screen, which its controls scale by.
inline constexpr char kDpiProperty[] = "Talvek_DPI";
// 96 dpi for a window without the property.
DisplayScale windowDisplayScale(HWND window);

// The integer-atom property set to 1 once a control has drawn into the
// window's canvas; the form presents the canvas and sets it back to 0.
inline constexpr ATOM kPresentPendingAtom = 305;
bool presentPending(HWND window);
// Setting it also tells the window object at once, so a form whose present
// timer rests takes up its pace again before the next frame is due.
void setPresentPending(HWND window, bool pending);

ControlRef readRefProperty(HWND window, const char* name);
void writeRefProperty(HWND window, const char* name, ControlRef ref);

// The window object of one of this process's windows, or null. Set when
// the object takes its window, with null when it lets go; the window
// procedure lets go at WM_NCDESTROY, so a window handle used again later
// finds nothing. "RbUI_THIS" is set alike but never read.
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
