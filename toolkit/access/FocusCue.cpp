#include "toolkit/access/FocusCue.h"

#include "toolkit/access/AccessibleDescription.h"
#include "toolkit/access/AccessibleTree.h"
#include "toolkit/access/ControlFactsReader.h"
#include "toolkit/controls/ControlPlacement.h"
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

// Composed afresh, the control's area shows the cue or not, whichever the
// window's state now says.
void recompose(HWND window, ControlRef ref) {
  if (Control* control = accessible_tree::find(window, ref)) {
    control->compose();
    present(window, control->visibleRect);
  }
}

}  // namespace

void drawOver(HWND window, HDC canvas, const Rect& area) {
  if (!canvas || !shown(window)) return;
  Control* control = accessible_tree::find(window, readRefProperty(window, kFocusProperty));
  if (!control || !control->isShown() || !accessible::showsFocusCue(readControlFacts(*control).kind)) return;
  const Rect frame = control->visibleRect;
  if (frame.width < 3 || frame.height < 3 || isEmptyRect(intersectRects(frame, area))) return;
  GdiplusGraphics graphics;
  GdiplusPen pen;
  if (gdip::GdipCreateFromHDC(canvas, graphics.put()) != Gdiplus::Ok ||
      gdip::GdipCreatePen1(kCueColour, 1.0f, Gdiplus::UnitPixel, pen.put()) != Gdiplus::Ok) {
    return;
  }
  // Only the area being composed: the rest of the frame is already there.
  gdip::GdipSetClipRectI(graphics.get(), area.x, area.y, area.width, area.height, Gdiplus::CombineModeIntersect);
  gdip::GdipSetPenDashStyle(pen.get(), Gdiplus::DashStyleDot);
  gdip::GdipDrawRectangleI(graphics.get(), pen.get(), frame.x, frame.y, frame.width - 1, frame.height - 1);
}

bool shown(HWND window) { return GetPropA(window, kCueProperty) != nullptr; }

void setShown(HWND window, bool on) {
  if (on == shown(window)) return;
  if (on) {
    SetPropA(window, kCueProperty, reinterpret_cast<HANDLE>(1));
  } else {
    RemovePropA(window, kCueProperty);
  }
  recompose(window, readRefProperty(window, kFocusProperty));
}

void moved(HWND window, ControlRef from, ControlRef to) {
  if (!shown(window)) return;
  recompose(window, from);
  recompose(window, to);
}

}  // namespace talvek::focus_cue
