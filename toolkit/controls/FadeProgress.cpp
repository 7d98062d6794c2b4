#include "toolkit/controls/FadeProgress.h"

#include <algorithm>

namespace talvek {

int fadeInterval(int requestedMs) { return requestedMs > 0 ? requestedMs : kDefaultFadeInterval; }
int fadeStep(int requestedPercent) { return requestedPercent > 0 ? requestedPercent : kDefaultFadeStep; }

void FadeProgress::start(int stepPercent) {
  alpha_ = 0;
  step_ = fadeStep(stepPercent);
}

// step × 2.55 truncated; steps beyond 100 % finish in one tick.
int FadeProgress::increment() const { return static_cast<int>(std::min(step_, 100) * 255 / 100); }

bool FadeProgress::tickIn() {
  alpha_ = std::min(255, alpha_ + increment());
  return alpha_ == 255;
}

bool FadeProgress::tickOut(int& frameAlpha) {
  alpha_ = std::min(255, alpha_);
  frameAlpha = alpha_;
  bool last = alpha_ == 255;
  alpha_ = std::min(255, alpha_ + increment());
  return last;
}

}  // namespace talvek
