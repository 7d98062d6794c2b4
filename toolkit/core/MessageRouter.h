// Turns one window message into control events: the target is the capturing
// control or the one under the mouse, keyboard messages go to the focus
// control. The window procedure supplies the window's routing properties
// and the registry; the decisions here never touch Windows.
#pragma once

#include <cstdint>

#include "toolkit/core/ControlTree.h"

namespace talvek {

namespace message {
inline constexpr unsigned kDestroy = 0x0002;
inline constexpr unsigned kSetFocus = 0x0007;
inline constexpr unsigned kKillFocus = 0x0008;
inline constexpr unsigned kKeyDown = 0x0100;
inline constexpr unsigned kKeyUp = 0x0101;
inline constexpr unsigned kChar = 0x0102;
inline constexpr unsigned kMouseMove = 0x0200;
inline constexpr unsigned kLeftButtonDown = 0x0201;
inline constexpr unsigned kLeftButtonUp = 0x0202;
inline constexpr unsigned kLeftButtonDoubleClick = 0x0203;
inline constexpr unsigned kRightButtonDown = 0x0204;
inline constexpr unsigned kRightButtonUp = 0x0205;
inline constexpr unsigned kRightButtonDoubleClick = 0x0206;
inline constexpr unsigned kMouseWheel = 0x020A;
inline constexpr unsigned kMouseLeave = 0x02A3;
}  // namespace message

// The parameters of a message passed on as event 32; arg2 points here.
struct MessageParams {
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

// The window's "RbUI_FUCOS", "RbUI_MOUSECAPTURE" and "RbUI_MOUSEON".
class RoutingState {
 public:
  virtual ControlRef focus() const = 0;
  virtual void setFocus(ControlRef ref) = 0;
  virtual ControlRef capture() const = 0;
  virtual ControlRef mouseOn() const = 0;
  virtual void setMouseOn(ControlRef ref) = 0;

 protected:
  ~RoutingState() = default;
};

class MessageRouter {
 public:
  MessageRouter(ControlRegistry& registry, ControlLookup& lookup, RoutingState& state, HostWindow window)
      : registry_(registry), lookup_(lookup), state_(state), window_(window) {}

  void route(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

 private:
  ControlRef mouseTarget(std::intptr_t lParam) const;
  void mouseMove(std::intptr_t lParam);
  void buttonDown(std::intptr_t lParam, int code, int RoutedControl::*held);
  void buttonUp(std::intptr_t lParam, int code, int clickCode, int RoutedControl::*held);
  void sendAtPoint(ControlRef target, int code, std::intptr_t lParam);
  void focusStep(ControlRef target);
  void toFocus(int code, std::intptr_t arg1, std::intptr_t arg2);

  ControlRegistry& registry_;
  ControlLookup& lookup_;
  RoutingState& state_;
  HostWindow window_;
};

}  // namespace talvek
