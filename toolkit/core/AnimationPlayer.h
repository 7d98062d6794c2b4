// Plays the show and close effects of a layered form: keeps a snapshot of
// the form's canvas and, one tick at a time, pushes a changed copy of it
// (alpha, position, size or a flipped shape) to the screen.
#pragma once

#include <windows.h>

#include "toolkit/core/FlipGeometry.h"
#include "toolkit/core/MemoryCanvas.h"
#include "toolkit/core/ShowEffects.h"

namespace talvek {

class AnimationPlayer {
 public:
  // Snapshot of source (a canvas of the window's size) for window.
  void start(HWND window, HDC sourceDC, int alpha = 255);
  void reset();
  void readWindowRect();
  void setSize(int width, int height);

  // One frame of effect 1..10; true when the effect is complete. An
  // unknown effect is complete at once.
  bool step(int effect, bool appear);

  // The first frame of an appear run, shown before the window becomes
  // visible so it does not flash up at full strength.
  void showInvisible();

  bool active() const { return window_ != nullptr; }
  // The last scaled or flipped frame (empty for effects shown unchanged).
  const MemoryCanvas& frame() const { return work_; }
  int flipAngle() const { return flip_.angle(); }
  int progress() const { return progress_; }

 private:
  bool flipStep(int effect, bool appear);
  void present(const EffectFrame& frame, HDC source);
  void drawScaled(const EffectFrame& frame);

  HWND window_ = nullptr;
  WindowBox box_{};
  MemoryCanvas snapshot_;
  MemoryCanvas work_;  // scaled and flipped frames
  HDC sourceDC_ = nullptr;
  int playerAlpha_ = 255;
  int progress_ = 0;
  FlipGeometry flip_;
};

}  // namespace talvek
