#include "toolkit/controls/Control.h"

#include <vector>

#include "toolkit/controls/ControlPlacement.h"
#include "toolkit/controls/ControlTimers.h"
#include "toolkit/controls/FocusOrder.h"
#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/ReferenceTable.h"
#include "toolkit/core/SystemCursor.h"
#include "toolkit/core/ToolkitGlobals.h"
#include "toolkit/core/ToolkitLookup.h"
#include "toolkit/core/ToolkitSettings.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {
namespace {

constexpr int kTabKey = 9;

Control* controlFrom(ControlRef ref) { return dynamic_cast<Control*>(controlReferences().control(ref)); }

HDC dcProperty(HWND window, const char* name) { return static_cast<HDC>(GetPropA(window, name)); }

// x in the low 16 bits, y in the high 16 bits, both signed.
POINT pointFrom(std::intptr_t packed) {
  return POINT{static_cast<short>(packed & 0xFFFF), static_cast<short>((packed >> 16) & 0xFFFF)};
}


}  // namespace

Control::~Control() { unregister(); }

bool Control::initControl(ControlRef parentRef, const Rect& area, const std::u16string& text, int canFocus,
                          int shown, int isDisabled, int showHandCursor) {
  if (created_) return false;
  ToolkitLookup lookup;
  ControlRegistry& registry = controlRegistry();
  const int parentIndex = registry.indexOf(parentRef);
  const HostWindow host = entryWindow(lookup, parentRef);
  if (parentIndex == 0 || host == nullptr) return false;
  const Control* parentControl = parentRef > 0 ? controlFrom(parentRef) : nullptr;
  if (parentRef > 0 && !parentControl) return false;

  attachReference();
  window = host;
  parent = parentRef;
  form_ = parentControl ? parentControl->form_ : parentRef;
  bounds_ = area;
  RoutedControl::visible = shown;
  RoutedControl::disabled = isDisabled;
  transparency_ = 0;
  shownDC_ = nullptr;
  handCursor_ = showHandCursor;
  setCaption(text);
  leftHeld = rightHeld = 0;
  depth = (parentControl ? parentControl->depth : 0) + 1;
  focusable = canFocus;
  eventProc_ = nullptr;
  surface_ = MemoryCanvas(area.width, area.height);
  created_ = 1;
  registry.insertAt(childInsertionIndex(registry, lookup, parentIndex), handle);
  shownDC_ = surface_.dc();
  onEvent(control_event::kCreated, 0, 0);
  onEvent(control_event::kLayout, 0, 0);
  return true;
}

void Control::unregister() {
  if (handle == 0) return;
  ToolkitLookup lookup;
  if (int index = controlRegistry().indexOf(handle)) removeControlSubtree(controlRegistry(), lookup, index);
  // A control outside the registry still has its reference and timers.
  if (handle != 0) destroy();
}

bool Control::setParent(ControlRef newParent) {
  if (!created_ || newParent == 0 || newParent == handle) return false;
  ToolkitLookup lookup;
  ControlRegistry& registry = controlRegistry();
  const HostWindow host = entryWindow(lookup, newParent);
  const Control* parentControl = newParent > 0 ? controlFrom(newParent) : nullptr;
  if (!host || registry.indexOf(newParent) == 0 || (newParent > 0 && !parentControl)) return false;
  // A parent inside the control's own subtree would make a loop.
  for (const Control* up = parentControl; up; up = up->parent > 0 ? controlFrom(up->parent) : nullptr) {
    if (up == this) return false;
  }
  // The old place is given back first, while the subtree still belongs to
  // the old window: nothing of it may stay behind there.
  const Rect oldArea = visibleRect;
  recompose(oldArea, true);
  if (!isEmptyRect(oldArea)) requestUpdate(oldArea);

  const std::vector<ControlRef> run = takeSubtree(registry, lookup, registryIndex());
  const int depthChange = (parentControl ? parentControl->depth : 0) + 1 - depth;
  const ControlRef newForm = parentControl ? parentControl->form_ : newParent;
  for (ControlRef ref : run) {
    if (Control* member = controlFrom(ref)) {
      member->depth += depthChange;
      member->window = host;
      member->form_ = newForm;
    }
  }
  parent = newParent;
  insertRun(registry, childInsertionIndex(registry, lookup, registry.indexOf(newParent)), run);
  onEvent(control_event::kLayout, 0, 0);
  onEvent(control_event::kParentChanged, newParent, 0);
  redraw();
  return true;
}

void Control::setStacking(int position) {
  const int ownIndex = registryIndex();
  ControlRegistry& registry = controlRegistry();
  if (!created_ || ownIndex == 0 || registry.indexOf(parent) == 0) return;
  ToolkitLookup lookup;
  const SiblingSlot slot = position == kStackBottom                                  ? SiblingSlot{SiblingSlot::kBottom}
                           : (position == kStackTop || position == kStackTopOfAll) ? SiblingSlot{SiblingSlot::kTop}
                                                                                   : siblingSlotAt(position);
  if (slot.place == SiblingSlot::kOwn) {
    redraw();
    return;
  }
  const std::vector<ControlRef> run = takeSubtree(registry, lookup, ownIndex);
  const int parentIndex = registry.indexOf(parent);
  int at = childInsertionIndex(registry, lookup, parentIndex);
  if (slot.place == SiblingSlot::kBottom) at = parentIndex;
  if (slot.place == SiblingSlot::kInFrontOf) at = subtreeStart(registry, lookup, registry.indexOf(slot.sibling));
  if (slot.place == SiblingSlot::kBehind) at = registry.indexOf(slot.sibling) + 1;
  insertRun(registry, at, run);
  redraw();
}

Control::SiblingSlot Control::siblingSlotAt(int index) const {
  ToolkitLookup lookup;
  const ControlRegistry& registry = controlRegistry();
  const int ownIndex = registryIndex();
  const int parentIndex = registry.indexOf(parent);
  // Outside the parent's run the index is held to its ends.
  if (index >= parentIndex) return {SiblingSlot::kBottom};
  if (index < subtreeStart(registry, lookup, parentIndex)) return {SiblingSlot::kTop};
  // The sibling whose subtree holds the entry at index takes our place.
  const Control* sibling = controlFrom(registry.at(index));
  while (sibling && sibling->parent != parent) sibling = sibling->parent > 0 ? controlFrom(sibling->parent) : nullptr;
  if (!sibling) return {SiblingSlot::kTop};
  if (sibling == this) return {SiblingSlot::kOwn};
  return {index < ownIndex ? SiblingSlot::kInFrontOf : SiblingSlot::kBehind, sibling->handle};
}

int Control::registryIndex() const { return handle ? controlRegistry().indexOf(handle) : 0; }

void Control::destroy() {
  const bool wasShown = created_ && isShown();
  const Rect area = visibleRect;
  onDestroy();
  stopAllControlTimers(handle);
  // Its descendants went first; what lay under it shows again.
  if (wasShown) {
    recompose(area, true);
    requestUpdate(area);
  }
  fade_.reset();
  surface_ = MemoryCanvas();
  if (window && IsWindow(window)) {
    for (const char* name : {kFocusProperty, kMouseOnProperty, kCaptureProperty}) {
      if (readRefProperty(window, name) == handle) writeRefProperty(window, name, 0);
    }
  }
  window = nullptr;
  bounds_ = Rect{};
  RoutedControl::visible = RoutedControl::disabled = transparency_ = 0;
  shownDC_ = nullptr;
  eventProc_ = nullptr;
  depth = 0;
  parent = 0;
  form_ = 0;
  focusable = leftHeld = rightHeld = 0;
  listener_ = 0;
  tip_.destroy();
  created_ = 0;
  pressed_ = 0;
  caption_.clear();
  if (int index = registryIndex()) controlRegistry().removeRange(index, index);
  detachReference();
}

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
      if (isShown() && window) blendInto(dcProperty(window, kCanvasProperty), visibleRect);
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
  Rect parentVisible;
  if (const Control* parentControl = parent > 0 ? controlFrom(parent) : nullptr) {
    parentRect = parentControl->windowRect;
    parentVisible = parentControl->visibleRect;
  } else if (window) {
    RECT client{};
    GetClientRect(window, &client);
    parentVisible = Rect{0, 0, client.right, client.bottom};
  }
  windowRect = Rect{parentRect.x + bounds_.x, parentRect.y + bounds_.y, bounds_.width, bounds_.height};
  visibleRect = intersectRects(windowRect, parentVisible);
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

void Control::blendInto(HDC backBuffer, const Rect& area) const {
  const Rect part = intersectRects(visibleRect, area);
  if (!backBuffer || !shownDC_ || isEmptyRect(part)) return;
  // The visible part may start inside the surface when an ancestor clips it.
  const int sourceX = part.x - windowRect.x;
  const int sourceY = part.y - windowRect.y;
  BLENDFUNCTION function{AC_SRC_OVER, 0, static_cast<BYTE>(255 - transparency_), AC_SRC_ALPHA};
  AlphaBlend(backBuffer, part.x, part.y, part.width, part.height, shownDC_, sourceX, sourceY, part.width, part.height,
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
  shownDC_ = dc ? dc : surface_.dc();
  recompose(visibleRect, false);
}

void Control::repaintSurface(bool noCompose) {
  if (!isShown() || !surface_) return;
  gdip::GdipGraphicsClear(surface_.graphics(), 0);
  paint(surface_.graphics());
  gdip::GdipFlush(surface_.graphics(), Gdiplus::FlushIntentionSync);
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

void Control::redrawNow() {
  dropRunningFade();
  repaintSurface();
  redrawPending_ = 1;
  requestUpdate();
}

void Control::requestUpdate() { requestUpdate(visibleRect); }

void Control::requestUpdate(const Rect& area) {
  if (window && updateRectMessage != 0) {
    Rect copy = area;
    SendMessageW(window, updateRectMessage, 0, reinterpret_cast<LPARAM>(&copy));
  }
}

void Control::markDirty() {
  if (window) setPresentPending(window, true);
}

int Control::visible(std::optional<int> value) {
  if (value && created_) {
    RoutedControl::visible = *value;
    onEvent(control_event::kVisibilityChanged, *value ? 1 : 0, 0);
    announceAccessibleChange(*value ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, window, handle);
    // Changes made while hidden were never painted, here or below.
    if (isShown()) {
      ToolkitLookup lookup;
      const ControlRegistry& registry = controlRegistry();
      const int index = registryIndex();
      for (int i = subtreeStart(registry, lookup, index); i >= 1 && i <= index; ++i) {
        if (Control* member = controlFrom(registry.at(i))) member->repaintSurface(true);
      }
    }
    compose();
    requestUpdate();
  }
  return RoutedControl::visible;
}

int Control::disabled(std::optional<int> value) {
  if (value && created_) {
    RoutedControl::disabled = *value;
    onEvent(control_event::kEnabledChanged, *value ? 0 : 1, 0);
    announceAccessibleChange(EVENT_OBJECT_STATECHANGE, window, handle);
    redraw();
  }
  return RoutedControl::disabled;
}

bool Control::isShown() const {
  ToolkitLookup lookup;
  return handle != 0 && talvek::isShown(lookup, handle);
}

bool Control::isDisabled() const {
  ToolkitLookup lookup;
  return handle != 0 && talvek::isDisabled(lookup, handle);
}

int Control::transparency(std::optional<int> value, bool update) {
  if (value) {
    transparency_ = *value < 0 ? 0 : (*value > 255 ? 255 : *value);
    if (update) {
      // Presenting alone would show the old blend.
      compose(shownDC_);
      requestUpdate();
    }
  }
  return transparency_;
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

void Control::setCaption(const std::u16string& text) {
  caption_ = text;
  onEvent(control_event::kCaptionChanged, 0, 0);
}

void Control::setCaptionAnsi(const std::string& text) {
  const std::wstring wide = toWide(text);
  setCaption(std::u16string(wide.begin(), wide.end()));
}

void Control::setCaptionBytes(ByteView bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  setCaption(text);
}

ByteBlock Control::captionBytes() const {
  ByteBlock bytes;
  bytes.reserve(caption_.size() * 2);
  for (char16_t unit : caption_) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

std::string Control::captionAnsi() const { return fromWide(std::wstring(caption_.begin(), caption_.end())); }

void Control::setExtra(std::optional<std::u16string> text, std::optional<int> value) {
  if (text) extraText_ = std::move(*text);
  if (value) extraValue_ = *value;
}

void Control::copyBaseInto(Control& copy) const {
  copy.RoutedControl::visible = RoutedControl::visible;
  copy.RoutedControl::disabled = RoutedControl::disabled;
  copy.focusable = focusable;
  copy.windowRect = windowRect;
  copy.visibleRect = visibleRect;
  copy.bounds_ = bounds_;
  copy.transparency_ = transparency_;
  copy.caption_ = caption_;
  copy.eventProc_ = eventProc_;
  copy.visibleRectInParent_ = visibleRectInParent_;
  copy.listener_ = listener_;
  copy.extraText_ = extraText_;
  copy.extraValue_ = extraValue_;
  copy.fade_.copyModesFrom(fade_);
  copy.handCursor_ = handCursor_;
  if (surface_) {
    copy.surface_ = MemoryCanvas(surface_.width(), surface_.height());
    BitBlt(copy.surface_.dc(), 0, 0, surface_.width(), surface_.height(), surface_.dc(), 0, 0, SRCCOPY);
  }
}

void Control::setTip(const std::string& text) { tip_.createOrReplace(window, text, visibleRect, false, false); }

bool Control::isMouseOver() const { return window && handle && readRefProperty(window, kMouseOnProperty) == handle; }

void Control::captureMouse() {
  if (!window) return;
  writeRefProperty(window, kCaptureProperty, handle);
  SetCapture(window);
}

void Control::releaseMouse() {
  if (window) writeRefProperty(window, kCaptureProperty, 0);
  ReleaseCapture();
}

bool Control::hasFocus() const {
  return window && handle && GetFocus() == window && readRefProperty(window, kFocusProperty) == handle;
}

bool Control::setFocus() {
  if (!window || !handle) return false;
  SetFocus(window);
  const ControlRef previous = readRefProperty(window, kFocusProperty);
  if (previous == handle) return false;
  onEvent(event::kFocusGained, previous, 0);
  writeRefProperty(window, kFocusProperty, handle);
  sendControlEvent(previous, event::kFocusLost, handle, 0);
  return true;
}

void Control::focusNext() {
  if (!window || !handle) return;
  std::vector<FocusCandidate> entries;
  bool listed = false;
  const ControlRegistry& registry = controlRegistry();
  for (int index = 1; index <= registry.count(); ++index) {
    const Control* entry = controlFrom(registry.at(index));
    if (entry && entry->window == window) entries.push_back({entry->handle, true});
    listed = listed || (entry && entry->handle == handle);
  }
  SetFocus(window);
  const ControlRef next = listed ? nextTabStop(entries, handle, false) : 0;
  if (next == 0) return;
  writeRefProperty(window, kFocusProperty, next);
  sendControlEvent(next, event::kFocusGained, handle, 0);
  onEvent(event::kFocusLost, next, 0);
}

bool Control::setTimer(int key, int intervalMs, int value) {
  return handle && startControlTimer(handle, key, intervalMs, value);
}
bool Control::setFastTimer(int key, int intervalMs, int value) {
  return handle && startFastControlTimer(handle, key, intervalMs, value);
}
void Control::killTimer(int key) { stopControlTimer(handle, key); }
void Control::killFastTimer(int key) { stopFastControlTimer(handle, key); }

bool Control::move(std::optional<int> x, std::optional<int> y, std::optional<int> width,
                   std::optional<int> height) {
  if (!created_) return false;
  const Rect next{x.value_or(bounds_.x), y.value_or(bounds_.y), width.value_or(bounds_.width),
                  height.value_or(bounds_.height)};
  const bool moved = next.x != bounds_.x || next.y != bounds_.y;
  const bool resized = next.width != bounds_.width || next.height != bounds_.height;
  if (!moved && !resized) return false;

  const Rect oldArea = visibleRect;
  recompose(oldArea, true);
  bounds_ = next;
  if (resized) {
    surface_ = MemoryCanvas(next.width, next.height);
    dropRunningFade();
    fade_.dropSurfaces();
    shownDC_ = surface_.dc();
  }
  if (resized) onEvent(control_event::kResized, 0, 0);
  if (moved) onEvent(control_event::kMoved, 0, 0);
  onEvent(control_event::kLayout, 0, 0);
  repaintSurface();
  // The uncovered old area must reach the screen as well as the new one.
  if (!isEmptyRect(oldArea)) requestUpdate(oldArea);
  updateWindow();
  return true;
}

void Control::fadeRedraw(int intervalMs, int stepPercent, int mode) {
  if (animatedTransitions() == 0 || !surface_) {
    redraw();
    return;
  }
  settleRunningFade();
  if (Gdiplus::GpGraphics* newLook = fade_.startIn(bounds_.width, bounds_.height, stepPercent, mode)) {
    paint(newLook);
    gdip::GdipFlush(newLook, Gdiplus::FlushIntentionSync);
  }
  startFadeTimer(kFadeInTimerKey, intervalMs);
}

void Control::fadeOutRedraw(int intervalMs, int stepPercent, int mode) {
  if (animatedTransitions() == 0 || !surface_) {
    redraw();
    return;
  }
  settleRunningFade();
  fade_.startOut(bounds_.width, bounds_.height, stepPercent, mode);
  startFadeTimer(kFadeOutTimerKey, intervalMs);
}

void Control::startFadeTimer(int timerKey, int intervalMs) {
  if (setTimer(timerKey, fadeInterval(intervalMs), fade_.step())) return;
  // Without a timer there is no animation: show the new look at once.
  fade_.stop();
  redraw();
}

void Control::fadeInTick() {
  bool last = false;
  HDC frame = fade_.nextInFrame(surface_.dc(), bounds_.width, bounds_.height, last);
  if (!frame) {
    killTimer(kFadeInTimerKey);
    fade_.stop();
    return;
  }
  compose(frame);
  updateWindow();
  if (last) finishFade(kFadeInTimerKey);
}

void Control::fadeOutTick() {
  int alpha = 0;
  bool last = false;
  Gdiplus::GpGraphics* frame = fade_.nextOutFrame(alpha, last);
  if (!frame) {
    killTimer(kFadeOutTimerKey);
    fade_.stop();
    return;
  }
  fadeOutFrame(frame, alpha, transparency_);
  gdip::GdipFlush(frame, Gdiplus::FlushIntentionSync);
  compose(fade_.outFrame());
  updateWindow();
  if (last) finishFade(kFadeOutTimerKey);
}

void Control::settleRunningFade() {
  if (!fade_.running()) return;
  // Continue from the picture on screen.
  if (shownDC_ && shownDC_ != surface_.dc()) {
    BitBlt(surface_.dc(), 0, 0, bounds_.width, bounds_.height, shownDC_, 0, 0, SRCCOPY);
  }
  dropRunningFade();
}

void Control::dropRunningFade() {
  if (!fade_.running()) return;
  // A fade still running would later put its older picture back.
  killTimer(kFadeInTimerKey);
  killTimer(kFadeOutTimerKey);
  fade_.stop();
  shownDC_ = surface_.dc();
}

void Control::finishFade(int timerKey) {
  killTimer(timerKey);
  fade_.finish(surface_.dc(), bounds_.width, bounds_.height);
  shownDC_ = surface_.dc();
  compose();
  updateWindow();
}

}  // namespace talvek
