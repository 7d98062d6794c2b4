// A control's two fade transitions: the surfaces of the running fade, its
// timer, progress and modes, and how each frame is built. The control asks
// this which timer to run or stop and composes the frames it hands back.
#pragma once

#include <windows.h>

#include "toolkit/controls/FadeProgress.h"
#include "toolkit/core/MemoryCanvas.h"

namespace talvek {

// Timer keys of the two fade transitions, among the control's own timers.
inline constexpr int kFadeInTimerKey = -1;
inline constexpr int kFadeOutTimerKey = -2;

class ControlFade {
 public:
  bool running() const { return timerKey_ != 0; }
  // The running fade's timer: its key (0 when none runs), interval and the
  // value each tick carries.
  int timerKey() const { return timerKey_; }
  int interval() const { return interval_; }
  int step() const { return progress_.step(); }
  // Modes of the last fade-in and fade-out.
  int inMode() const { return inMode_; }
  int outMode() const { return outMode_; }
  void copyModesFrom(const ControlFade& other);

  // Stops the fade; its surfaces stay for the next one.
  void stop() { timerKey_ = 0; }
  // The control's size changed: the surfaces go (re-created on demand) and
  // nothing runs.
  void dropSurfaces();
  // Everything back to the state of a new control.
  void reset();

  // A fade-in of a control whose surface is shaped like `surface` with the
  // given mode: returns the cleared graphics to paint the new look into
  // (null when no surface could be made).
  Gdiplus::GpGraphics* startIn(const MemoryCanvas& surface, int intervalMs, int stepPercent, int mode);
  // One fade-in tick over the old look held in surface: returns the DC of
  // the frame to show, null when the fade has nothing to show. last is set
  // on the final frame.
  HDC nextInFrame(HDC surface, int width, int height, bool& last);

  // A fade-out animation whose frames the control draws.
  void startOut(const MemoryCanvas& surface, int intervalMs, int stepPercent, int mode);
  // The cleared graphics for the next fade-out frame, its alpha and whether
  // it is the last one; null when the fade has nothing to draw into.
  Gdiplus::GpGraphics* nextOutFrame(int& alpha, bool& last);
  HDC outFrame() const { return target_.dc(); }

  // Copies the new look into surface and ends the fade.
  void finish(HDC surface, int width, int height);

 private:
  MemoryCanvas target_;
  MemoryCanvas previous_;
  FadeProgress progress_;
  int timerKey_ = 0;
  int interval_ = 0;
  int inMode_ = 0;
  int outMode_ = 0;
};

}  // namespace talvek
