// The control base: creation, the place in the registry and among its
// siblings, release, and the properties every control shares.
#include "toolkit/controls/Control.h"

#include <vector>

#include "toolkit/controls/ControlPlacement.h"
#include "toolkit/controls/ControlRefs.h"
#include "toolkit/controls/ControlTimers.h"
#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/ReferenceTable.h"
#include "toolkit/core/ToolkitLookup.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {

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
  // The layout below makes the surface at the window's scale; one made here
  // at the control's size would be thrown away and painted twice off 100 %.
  surface_ = MemoryCanvas();
  created_ = 1;
  registry.insertAt(childInsertionIndex(registry, lookup, parentIndex), handle);
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
  bounds_ = place_ = Rect{};
  scale = DisplayScale();
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
  paintPutOff_ = false;
  pressed_ = 0;
  caption_.clear();
  if (int index = registryIndex()) controlRegistry().removeRange(index, index);
  detachReference();
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
    if (showsDisabledState()) redraw();
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
  copy.place_ = place_;
  copy.scale = scale;
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
    copy.surface_ = MemoryCanvas::like(surface_);
    BitBlt(copy.surface_.dc(), 0, 0, surface_.width(), surface_.height(), surface_.dc(), 0, 0, SRCCOPY);
  }
}

void Control::setTip(const std::string& text) { tip_.createOrReplace(window, text, visibleRect, false, false); }

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

}  // namespace talvek
