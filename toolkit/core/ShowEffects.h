// The arithmetic of the show and close effects of layered forms: how the
// progress value moves each tick and what frame (position, size, alpha) it
// gives. The player on the Windows side presents the frames.
#pragma once

#include "toolkit/core/DisplayScale.h"

namespace talvek {

enum ShowEffect : int {
  kEffectNone = 0,
  kEffectFade = 1,
  kEffectSlideFromLeft = 2,
  kEffectSlideFromRight = 3,
  kEffectSlideFromAbove = 4,
  kEffectSlideFromBelow = 5,
  kEffectExpand = 6,
  kEffectRollDown = 7,
  kEffectZoom = 8,
  kEffectFlip = 9,
  kEffectFlipBack = 10,
};

struct EffectFrame {
  int x, y, width, height;  // where the window is shown
  int alpha;                // constant alpha of this frame, 0..255
  bool done;                // the effect has reached its end with this frame
};

struct WindowBox {
  int x, y, width, height;
  // The window's screen: fixed distances are 96-dpi units.
  DisplayScale scale{};
};

// One tick of effect `effect`. `progress` is the player's per-effect value:
// below 1 means a new run (the caller re-reads the window rectangle first;
// a disappear step then starts from its full value). At the end progress is
// set back to 0. Flip effects only report alpha and the window box here;
// their shape comes from FlipGeometry.
EffectFrame stepEffect(int effect, bool appear, int& progress, const WindowBox& start, int playerAlpha);

// Size of the canvas the expand effect draws into: the snapshot plus this
// margin (in 96-dpi units) in each dimension.
inline constexpr int kExpandMargin = 20;

}  // namespace talvek
