// The control base's event dispatcher: toolkit events in, owner events
// out, and the pointer's hover, press and click.
#include "toolkit/controls/Control.h"

#include <vector>

#include "toolkit/controls/ControlPlacement.h"
#include "toolkit/controls/ControlRefs.h"
#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/SystemCursor.h"
#include "toolkit/core/ToolkitGlobals.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {

namespace {

constexpr int kTabKey = 9;

// x in the low 16 bits, y in the high 16 bits, both signed.
POINT pointFrom(std::intptr_t packed) {
  return POINT{static_cast<short>(packed & 0xFFFF), static_cast<short>((packed >> 16) & 0xFFFF)};
}

}  // namespace
int Control::onEvent(int code, std::intptr_t arg1, std::intptr_t arg2) {
  using namespace control_event;
  switch (code) {
    case kCreated: onCreated(); break;
    case event::kDestroyed: destroy(); break;
    case event::kFocusGained:
      announceAccessibleChange(EVENT_OBJECT_FOCUS, window, handle);
      onFocusGained(static_cast<ControlRef>(arg1));
      break;
    case event::kFocusLost: onFocusLost(static_cast<ControlRef>(arg1)); break;
    case kVisibilityChanged: onVisibilityChanged(static_cast<int>(arg1)); break;
    case kEnabledChanged: onEnabledChanged(static_cast<int>(arg1)); break;
    case kComposeIntoWindow:
      if (isShown() && window && arg1 >= 0 && arg1 < (1 << 24)) {
        blendInto(dcProperty(window, kCanvasProperty),
                  Rect{visibleRect.x, static_cast<int>(arg1), visibleRect.width, (1 << 24) - static_cast<int>(arg1)});
      }
      break;
    case kMoved: onMoved(); break;
    case kResized: onResized(); break;
    case kTimer:
      if (arg1 == kFadeInTimerKey) fadeInTick();
      if (arg1 == kFadeOutTimerKey) fadeOutTick();
      onTimer(static_cast<int>(arg1), static_cast<int>(arg2));
      break;
    case event::kChar:
      fireEvent(owner_event::kChar, arg1);
      onCharMessage(static_cast<int>(arg1), arg2);
      onChar(static_cast<int>(arg1));
      break;
    case event::kKeyDown:
      fireEvent(owner_event::kKeyDown, arg1);
      if (arg1 == kTabKey) {
        focusNext();
        redraw();
      } else {
        onKeyDown(static_cast<int>(arg1));
      }
      break;
    case event::kKeyUp:
      fireEvent(owner_event::kKeyUp, arg1);
      onKeyUp(static_cast<int>(arg1));
      break;
    case event::kWheel:
      fireEvent(owner_event::kWheel, arg1);
      onWheel(static_cast<int>(arg1));
      break;
    case kGetParent: return parent;
    case kParentChanged: onParentChanged(static_cast<ControlRef>(arg1)); break;
    case kLayout: layout(); break;
    case event::kWindowMessage:
      if (const auto* params = reinterpret_cast<const MessageParams*>(arg2)) {
        onWindowMessage(static_cast<unsigned>(arg1), params->wParam, params->lParam);
      }
      break;
    case kWindowRecreated: window = reinterpret_cast<HostWindow>(arg1); break;
    case kRepaintOnly: repaintSurface(true); break;
    case kPaintBeforePresent: paintPutOff(); break;
    case kCaptionChanged: onCaptionChanged(); break;
    case kRichEditContent: onEvent301(arg1, arg2); break;
    case kListened:
      if (const auto* record = reinterpret_cast<const OwnerEventRecord*>(arg2)) {
        onListenedEvent(static_cast<ControlRef>(arg1), *record);
      }
      break;
    default: pointerEvent(code, arg1); break;
  }
  return 0;
}

void Control::showHandIfWanted() const {
  if (handCursor_) showSystemCursor(cursor::kHand);
}

void Control::pointerEvent(int code, std::intptr_t packed) {
  const POINT point = pointFrom(packed);
  switch (code) {
    case event::kLeftDown:
      fireEvent(owner_event::kLeftDown, packed);
      pressed_ = 1;
      showHandIfWanted();
      onLeftDown(point);
      if (window) SetFocus(window);
      break;
    case event::kLeftUp:
      fireEvent(owner_event::kLeftUp, packed);
      pressed_ = 0;
      showHandIfWanted();
      onLeftUp(point);
      break;
    case event::kLeftClick: fireEvent(owner_event::kClick, packed); showHandIfWanted(); onClick(point); break;
    case event::kLeftDoubleClick: fireEvent(owner_event::kDoubleClick, packed); showHandIfWanted(); onDoubleClick(point); break;
    case event::kRightDown: fireEvent(owner_event::kRightDown, packed); showHandIfWanted(); onRightDown(point); break;
    case event::kRightUp: fireEvent(owner_event::kRightUp, packed); showHandIfWanted(); onRightUp(point); break;
    case event::kRightClick: fireEvent(owner_event::kRightClick, packed); showHandIfWanted(); onRightClick(point); break;
    case event::kRightDoubleClick: fireEvent(owner_event::kRightDoubleClick, packed); showHandIfWanted(); onRightDoubleClick(point); break;
    case event::kMouseMove:
      fireEvent(owner_event::kMouseMove, packed);
      if (pressed_ && cursorOverride == 0) showSystemCursor(cursor::kArrow);
      showHandIfWanted();
      onMouseMove(point);
      break;
    case event::kMouseEnter:
      fireEvent(owner_event::kMouseEnter, 0);
      if (cursorOverride == 0) showSystemCursor(cursor::kHand);
      onMouseEnter();
      break;
    case event::kMouseLeave: {
      fireEvent(owner_event::kMouseLeave, 0);
      if (cursorOverride == 0 && window) {
        auto arrow = reinterpret_cast<LONG_PTR>(systemCursor(cursor::kArrow));
        if (GetClassLongPtrW(window, GCLP_HCURSOR) != static_cast<ULONG_PTR>(arrow)) {
          SetClassLongPtrW(window, GCLP_HCURSOR, arrow);
        }
        cursorOverride = 1;
      }
      onMouseLeave();
      break;
    }
    default: break;
  }
}

void Control::layout() {
  Rect parentRect;
  Rect parentPlace;
  Rect parentVisible;
  if (const Control* parentControl = parent > 0 ? controlFrom(parent) : nullptr) {
    parentRect = parentControl->windowRect;
    parentPlace = parentControl->place_;
    parentVisible = parentControl->visibleRect;
  } else if (window) {
    RECT client{};
    GetClientRect(window, &client);
    parentVisible = Rect{0, 0, client.right, client.bottom};
  }
  scale = windowDisplayScale(window);
  place_ = Rect{parentPlace.x + bounds_.x, parentPlace.y + bounds_.y, bounds_.width, bounds_.height};
  // From the place in the whole window, so that neighbours keep touching.
  windowRect = scale.toDevice(place_);
  visibleRect = intersectRects(windowRect, parentVisible);
  fitSurface();
  visibleRectInParent_ = Rect{visibleRect.x - parentRect.x, visibleRect.y - parentRect.y, visibleRect.width,
                              visibleRect.height};
  // Children sit in front of this entry: copy the run first, their layout
  // does not move entries but a handler might.
  std::vector<ControlRef> children;
  const ControlRegistry& registry = controlRegistry();
  for (int index = registryIndex() - 1; index >= 1; --index) {
    const Control* entry = controlFrom(registry.at(index));
    if (!entry || entry->depth <= depth) break;
    if (entry->parent == handle) children.push_back(entry->handle);
  }
  for (ControlRef child : children) sendControlEvent(child, control_event::kLayout, 0, 0);
}

void Control::fitSurface() {
  if (!created_ || (!surface_ && isEmptyRect(windowRect))) return;
  if (surface_.width() == windowRect.width && surface_.height() == windowRect.height &&
      surface_.drawingWidth() == bounds_.width && surface_.drawingHeight() == bounds_.height) {
    return;
  }
  // A control being created has had no picture yet: its create paints it
  // once its own state is set.
  const bool replacing = static_cast<bool>(surface_);
  surface_ = MemoryCanvas(windowRect.width, windowRect.height);
  surface_.setDrawingSize(bounds_.width, bounds_.height);
  dropRunningFade();
  fade_.dropSurfaces();
  shownDC_ = surface_.sourceDc();
  if (replacing) repaintSurface(true);
}

ControlEventProc Control::setEventProc(ControlEventProc proc) {
  ControlEventProc previous = std::move(eventProc_);
  eventProc_ = std::move(proc);
  return previous;
}

int Control::fireEvent(int code, std::intptr_t arg1, std::intptr_t arg2, std::intptr_t arg3, std::intptr_t arg4,
                       std::intptr_t arg5) {
  if (listener_ != 0) {
    OwnerEventRecord record{code, {arg1, arg2, arg3, arg4, arg5}};
    sendControlEvent(listener_, control_event::kListened, handle, reinterpret_cast<std::intptr_t>(&record));
  }
  if (!eventProc_) return 0;
  // The procedure may replace itself; call a copy.
  ControlEventProc proc = eventProc_;
  return proc(window, handle, code, arg1, arg2, arg3, arg4, arg5);
}

}  // namespace talvek
