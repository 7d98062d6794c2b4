// The check box's state and its box animation: a click toggles at once and
// the box collapses to its centre, then grows back one pixel of inset per
// tick. Geometry of the box and the caption follows from the height.
#pragma once

#include "toolkit/core/Rect.h"

namespace talvek {

class CheckBoxState {
 public:
  // width and height are the control's (the box is height × height).
  CheckBoxState(int width, int height) : width_(width), height_(height) {}

  bool checked() const { return checked_; }
  // Setting the state directly shows the new state without animation.
  void setChecked(bool checked) { checked_ = checked; }

  // A click: toggles and collapses the box, which restarts its animation.
  void toggleAndCollapse();
  // The animation timer's interval in ms; 0 when the box is too small to
  // animate.
  int animationIntervalMs() const;
  // One animation tick; false when the animation timer should stop.
  bool tick();
  bool animating() const { return boxInset_ > 0; }
  int boxInset() const { return boxInset_; }

  // The filled square of the box at the current inset (never negative).
  Rect box() const;
  Rect captionRect() const;
  // The check mark shows only on an enabled, checked box.
  bool showsMark(bool disabled) const { return checked_ && !disabled; }

  static constexpr int kAnimationSpanMs = 100;
  static constexpr int kMarkX = 2;
  static constexpr int kMarkY = 2;

 private:
  int width_;
  int height_;
  bool checked_ = false;
  int boxInset_ = 0;
};

}  // namespace talvek
