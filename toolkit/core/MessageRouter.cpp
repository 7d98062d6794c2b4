#include "toolkit/core/MessageRouter.h"

#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/PointMath.h"

namespace talvek {

void MessageRouter::route(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (msg) {
    case message::kMouseMove:
      mouseMove(lParam);
      return;
    case message::kLeftButtonDown:
      buttonDown(lParam, event::kLeftDown, &RoutedControl::leftHeld);
      return;
    case message::kLeftButtonUp:
      buttonUp(lParam, event::kLeftUp, event::kLeftClick, &RoutedControl::leftHeld);
      return;
    case message::kLeftButtonDoubleClick:
      sendAtPoint(mouseTarget(lParam), event::kLeftDoubleClick, lParam);
      return;
    case message::kRightButtonDown:
      buttonDown(lParam, event::kRightDown, &RoutedControl::rightHeld);
      return;
    case message::kRightButtonUp:
      buttonUp(lParam, event::kRightUp, event::kRightClick, &RoutedControl::rightHeld);
      return;
    case message::kRightButtonDoubleClick:
      sendAtPoint(mouseTarget(lParam), event::kRightDoubleClick, lParam);
      return;
    case message::kMouseWheel:
      toFocus(event::kWheel, wheelSteps(wParam), 0);
      return;
    case message::kMouseLeave: {
      ControlRef old = state_.mouseOn();
      lookup_.send(old, event::kMouseLeave, 0, 0);
      state_.setMouseOn(0);
      return;
    }
    case message::kKeyDown:
      toFocus(event::kKeyDown, static_cast<std::intptr_t>(wParam), 0);
      return;
    case message::kKeyUp:
      toFocus(event::kKeyUp, static_cast<std::intptr_t>(wParam), 0);
      return;
    case message::kChar:
      toFocus(event::kChar, static_cast<std::intptr_t>(wParam), lParam);
      return;
    case message::kSetFocus:
      toFocus(event::kFocusGained, 0, 0);
      return;
    case message::kKillFocus:
      toFocus(event::kFocusLost, 0, 0);
      return;
    case message::kDestroy:
      removeWindowControls(registry_, lookup_, window_);
      return;
    default: {
      MessageParams params{wParam, lParam};
      toFocus(event::kWindowMessage, static_cast<std::intptr_t>(msg), reinterpret_cast<std::intptr_t>(&params));
      return;
    }
  }
}

ControlRef MessageRouter::mouseTarget(std::intptr_t lParam) const {
  if (ControlRef captured = state_.capture()) return captured;
  MousePoint point = mousePoint(lParam);
  return hitTest(registry_, lookup_, window_, point.x, point.y);
}

void MessageRouter::mouseMove(std::intptr_t lParam) {
  ControlRef target = state_.capture();
  if (target == 0) {
    MousePoint point = mousePoint(lParam);
    target = hitTest(registry_, lookup_, window_, point.x, point.y);
    ControlRef old = state_.mouseOn();
    if (target != old) {
      state_.setMouseOn(target);
      lookup_.send(target, event::kMouseEnter, 0, 0);
      lookup_.send(old, event::kMouseLeave, 0, 0);
    }
  }
  sendAtPoint(target, event::kMouseMove, lParam);
}

void MessageRouter::buttonDown(std::intptr_t lParam, int code, int RoutedControl::*held) {
  ControlRef target = mouseTarget(lParam);
  if (target == 0) return;
  sendAtPoint(target, code, lParam);
  // The handler may have destroyed the control; look it up again.
  if (RoutedControl* control = lookup_.control(target)) control->*held = 1;
  focusStep(target);
}

void MessageRouter::buttonUp(std::intptr_t lParam, int code, int clickCode, int RoutedControl::*held) {
  ControlRef target = mouseTarget(lParam);
  if (target == 0) return;
  sendAtPoint(target, code, lParam);
  RoutedControl* control = lookup_.control(target);
  if (!control) return;
  bool wasHeld = control->*held == 1;
  control->*held = 0;
  if (wasHeld) sendAtPoint(target, clickCode, lParam);
}

void MessageRouter::sendAtPoint(ControlRef target, int code, std::intptr_t lParam) {
  const RoutedControl* control = lookup_.control(target);
  if (!control) return;
  // Hit in pixels, handed on in the control's own 96-dpi units.
  const MousePoint point = mousePoint(lParam);
  const MousePoint local{control->scale.toLogical(point.x - control->windowRect.x),
                         control->scale.toLogical(point.y - control->windowRect.y)};
  const std::int32_t packed = packLocalPoint(local, 0, 0);
  lookup_.send(target, code, packed, 0);
}

void MessageRouter::focusStep(ControlRef target) {
  ControlRef old = state_.focus();
  const RoutedControl* control = lookup_.control(target);
  if (target == old || !control || control->focusable != 1) return;
  state_.setFocus(target);
  lookup_.send(target, event::kFocusGained, old, 0);
  lookup_.send(old, event::kFocusLost, target, 0);
}

void MessageRouter::toFocus(int code, std::intptr_t arg1, std::intptr_t arg2) {
  if (ControlRef focused = state_.focus()) lookup_.send(focused, code, arg1, arg2);
}

}  // namespace talvek
