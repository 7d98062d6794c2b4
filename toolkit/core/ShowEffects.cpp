#include "toolkit/core/ShowEffects.h"

#include <algorithm>

namespace talvek {
namespace {

constexpr int kFull = 255;
constexpr int kSlideDistance = 40;
constexpr int kRollSteps = 14;
constexpr int kZoomSteps = 10;
constexpr int kExpandSteps = 10;

// Moves q towards its end by `step`; full value at the start of a
// disappear run. True when q has reached the end.
bool advance(int& q, bool appear, int step, int full) {
  if (!appear && q < 1) q = full;
  q = appear ? std::min(q + step, full) : std::max(q - step, 0);
  return appear ? q >= full : q <= 0;
}

EffectFrame finish(EffectFrame frame, bool done, int& progress) {
  frame.done = done;
  if (done) progress = 0;
  return frame;
}

}  // namespace

EffectFrame stepEffect(int effect, bool appear, int& progress, const WindowBox& start, int playerAlpha) {
  int& q = progress;
  EffectFrame frame{start.x, start.y, start.width, start.height, playerAlpha, false};
  auto alphaFor = [&](int value, int full) { return full > 0 ? playerAlpha * value / full : playerAlpha; };

  switch (effect) {
    case kEffectFade:
    case kEffectSlideFromLeft:
    case kEffectSlideFromRight:
    case kEffectSlideFromAbove:
    case kEffectSlideFromBelow: {
      bool horizontal = effect == kEffectSlideFromLeft || effect == kEffectSlideFromRight;
      bool done = advance(q, appear, horizontal ? 20 : 10, kFull);
      int offset = (kFull - q) * start.scale.toDevice(kSlideDistance) / kFull;
      if (effect == kEffectSlideFromLeft) frame.x = start.x - offset;
      if (effect == kEffectSlideFromRight) frame.x = start.x + offset;
      if (effect == kEffectSlideFromAbove) frame.y = start.y - offset;
      if (effect == kEffectSlideFromBelow) frame.y = start.y + offset;
      frame.alpha = alphaFor(q, kFull);
      return finish(frame, done, progress);
    }
    case kEffectRollDown: {
      int step = std::max(1, start.height / kRollSteps);
      bool done = advance(q, appear, step, start.height);
      frame.height = q;
      frame.alpha = alphaFor(q, start.height);
      return finish(frame, done, progress);
    }
    case kEffectZoom: {
      bool done = advance(q, appear, 1, kZoomSteps);
      frame.width = start.width * q / kZoomSteps;
      frame.height = start.height * q / kZoomSteps;
      frame.x = start.x + (start.width - frame.width) / 2;
      frame.y = start.y + (start.height - frame.height) / 2;
      frame.alpha = alphaFor(q, kZoomSteps);
      return finish(frame, done, progress);
    }
    case kEffectExpand: {
      // The window grows from the snapshot's size by the margin, 2 * q
      // units per side at a time, fading in as it goes.
      bool done = advance(q, appear, 1, kExpandSteps);
      int grow = start.scale.toDevice(kExpandMargin - 2 * q);
      frame.x = start.x - grow / 2;
      frame.y = start.y - grow / 2;
      frame.width = start.width + grow;
      frame.height = start.height + grow;
      frame.alpha = alphaFor(q, kExpandSteps);
      return finish(frame, done, progress);
    }
    case kEffectFlip:
    case kEffectFlipBack:
      // The flip's own angle drives it; see FlipGeometry.
      frame.done = true;
      return frame;
    default:
      frame.done = true;
      progress = 0;
      return frame;
  }
}

}  // namespace talvek
