#include "toolkit/controls/CheckBoxState.h"

#include <algorithm>

namespace talvek {

void CheckBoxState::toggleAndCollapse() {
  checked_ = !checked_;
  boxInset_ = std::max(0, height_ - 1);
}

int CheckBoxState::animationIntervalMs() const {
  // A box one pixel high or less has nothing to grow back (and 100 / H
  // would divide by zero).
  if (height_ <= 1) return 0;
  return std::max(1, kAnimationSpanMs / height_);
}

bool CheckBoxState::tick() {
  --boxInset_;
  if (boxInset_ <= 0) {
    boxInset_ = 0;
    return false;
  }
  return true;
}

Rect CheckBoxState::box() const {
  // Early in the animation H − 2 − 2i goes negative: the box has collapsed
  // to its centre, and GDI+ would draw a negative size mirrored.
  int side = std::max(0, height_ - 2 - 2 * boxInset_);
  int origin = side == 0 ? height_ / 2 : boxInset_ + 1;
  return {origin, origin, side, side};
}

Rect CheckBoxState::captionRect() const { return {height_ + 2, 0, width_ - height_ - 2, height_}; }

}  // namespace talvek
