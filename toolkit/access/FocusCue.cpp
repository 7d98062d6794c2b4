#include "toolkit/access/FocusCue.h"

#include "toolkit/access/AccessibleTree.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/MessageSeal.h"
#include "toolkit/core/ToolkitGlobals.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek::focus_cue {
namespace {

constexpr char kCueProperty[] = "Talvek_FocusCue";
constexpr Gdiplus::ARGB kCueColour = 0xFFFFFFFF;

void present(HWND window, const Rect& area) { message_seal::sendUpdateRect(window, area); }

void erase(HWND window, ControlRef ref) {
  if (Control* control = accessible_tree::find(window, ref)) {
    control->compose();
    present(window, control->visibleRect);
  }
}

void draw(HWND window, ControlRef ref) {
  Control* control = accessible_tree::find(window, ref);
  HDC canvas = static_cast<HDC>(GetPropA(window, kCanvasProperty));
  if (!control || !canvas || !control->isShown()) return;
  const Rect area = control->visibleRect;
  if (area.width < 3 || area.height < 3) return;
  GdiplusGraphics graphics;
  GdiplusPen pen;
  if (gdip::GdipCreateFromHDC(canvas, graphics.put()) != Gdiplus::Ok ||
      gdip::GdipCreatePen1(kCueColour, 1.0f, Gdiplus::UnitPixel, pen.put()) != Gdiplus::Ok) {
    return;
  }
  gdip::GdipSetPenDashStyle(pen.get(), Gdiplus::DashStyleDot);
  gdip::GdipDrawRectangleI(graphics.get(), pen.get(), area.x, area.y, area.width - 1, area.height - 1);
  graphics.reset();  // flushed into the canvas before it is presented
  present(window, area);
}

}  // namespace

bool shown(HWND window) { return GetPropA(window, kCueProperty) != nullptr; }

void setShown(HWND window, bool on) {
  if (on == shown(window)) return;
  if (on) {
    SetPropA(window, kCueProperty, reinterpret_cast<HANDLE>(1));
  } else {
    RemovePropA(window, kCueProperty);
  }
  const ControlRef focused = readRefProperty(window, kFocusProperty);
  if (on) {
    draw(window, focused);
  } else {
    erase(window, focused);
  }
}

void moved(HWND window, ControlRef from, ControlRef to) {
  if (!shown(window)) return;
  erase(window, from);
  draw(window, to);
}

void refresh(HWND window) {
  if (shown(window)) draw(window, readRefProperty(window, kFocusProperty));
}

}  // namespace talvek::focus_cue
