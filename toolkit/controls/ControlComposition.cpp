// The control base's drawing: composing a control's surface into its
// window's canvas with whatever lies under and over it, and asking the
// form to present the result.
#include "toolkit/controls/Control.h"

#include "toolkit/controls/ControlPlacement.h"
#include "toolkit/controls/ControlRefs.h"
#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/MessageSeal.h"
#include "toolkit/core/ToolkitGlobals.h"
#include "toolkit/core/ToolkitLookup.h"
#include "toolkit/core/ToolkitWindow.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {

void Control::blendInto(HDC backBuffer, const Rect& area) const {
  const Rect part = intersectRects(visibleRect, area);
  if (!backBuffer || !shownDC_ || isEmptyRect(part)) return;
  // A fade shows its own frames, which are not blank.
  if (shownDC_ == surface_.sourceDc() && drawsNothing()) return;
  // The visible part may start inside the surface when an ancestor clips it.
  const int sourceX = part.x - windowRect.x;
  const int sourceY = part.y - windowRect.y;
  BLENDFUNCTION function{AC_SRC_OVER, 0, static_cast<BYTE>(255 - transparency_), AC_SRC_ALPHA};
  GdiAlphaBlend(backBuffer, part.x, part.y, part.width, part.height, shownDC_, sourceX, sourceY, part.width, part.height,
             function);
}

void Control::recompose(const Rect& area, bool skipSubtree) {
  if (!window || isEmptyRect(area)) return;
  HDC backBuffer = dcProperty(window, kCanvasProperty);
  HDC background = dcProperty(window, kBackgroundProperty);
  if (!backBuffer || !background) return;
  BitBlt(backBuffer, area.x, area.y, area.width, area.height, background, area.x, area.y, SRCCOPY);
  ToolkitLookup lookup;
  const ControlRegistry& registry = controlRegistry();
  // The subtree is the run that ends at the control's own entry.
  const int ownIndex = registryIndex();
  const int skipFrom = skipSubtree && ownIndex ? subtreeStart(registry, lookup, ownIndex) : 0;
  for (int index = registry.indexOf(form_) - 1; index >= 1; --index) {
    const ControlRef ref = registry.at(index);
    if (entryWindow(lookup, ref) != window) break;
    if (skipSubtree && index >= skipFrom && index <= ownIndex) continue;
    const Control* entry = controlFrom(ref);
    if (!entry || (skipSubtree && entry == this) || !entry->isShown()) continue;
    entry->blendInto(backBuffer, area);
  }
  drawCompositionOverlay(window, backBuffer, area);
}

void Control::compose(HDC dc) {
  shownDC_ = dc ? dc : surface_.sourceDc();
  recompose(visibleRect, false);
}

void Control::repaintSurface(bool noCompose) {
  // Whatever paints the surface pays what was put off; a hidden control is
  // painted afresh when it is shown again.
  paintPutOff_ = false;
  if (!isShown() || !surface_) return;
  // GDI+ clears pixel by pixel; the canvas clears its memory at once.
  surface_.clear();
  if (!drawsNothing()) {
    paint(surface_.graphics());
    gdip::GdipFlush(surface_.graphics(), Gdiplus::FlushIntentionSync);
  }
  if (!noCompose) compose();
}

void Control::updateWindow() {
  // The window's own style decides, not the last form the mouse was over.
  const bool layered = window && (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  if (layered && redrawPending_ != 1) {
    markDirty();
  } else {
    requestUpdate();
  }
}

void Control::redraw() {
  dropRunningFade();
  redrawPending_ = 0;
  // A hidden control changes no pixel; asking for a present anyway would
  // make its window push its whole picture again at every tick of, say, a
  // hidden busy ring's timer.
  if (!isShown()) return;
  repaintSurface();
  updateWindow();
}

void Control::redrawAtPresent() {
  dropRunningFade();
  redrawPending_ = 0;
  if (!isShown()) return;
  ToolkitWindow* host = window ? windowObject(window) : nullptr;
  if (!host || !host->paintBeforePresent(handle)) {
    redraw();
    return;
  }
  paintPutOff_ = true;
  markDirty();
}

void Control::paintPutOff() {
  // A fade started since paints the latest look itself, and its frames must
  // not be overwritten by the surface.
  if (!paintPutOff_ || fade_.running()) return;
  repaintSurface();
}

void Control::redrawNow() {
  dropRunningFade();
  repaintSurface();
  redrawPending_ = 1;
  requestUpdate();
}

void Control::requestUpdate() { requestUpdate(visibleRect); }

void Control::requestUpdate(const Rect& area) { message_seal::sendUpdateRect(window, area); }

void Control::markDirty() {
  if (window) setPresentPending(window, true);
}

}  // namespace talvek
