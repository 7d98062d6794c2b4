// The control base's input: mouse capture, the keyboard focus with its
// Tab order, and the control timers.
#include "toolkit/controls/Control.h"

#include <vector>

#include "toolkit/controls/ControlRefs.h"
#include "toolkit/controls/ControlTimers.h"
#include "toolkit/controls/FocusOrder.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {

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

}  // namespace talvek
