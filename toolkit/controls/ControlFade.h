// A control's two fade transitions apart from its timers: the surfaces of
// the running fade, its progress and modes, and how each frame is built.
// The control starts and stops the timers and composes the frames this
// hands back.
#pragma once

#include <windows.h>

#include "toolkit/controls/FadeProgress.h"
#include "toolkit/core/MemoryCanvas.h"

namespace talvek {

class ControlFade {
 public:
  bool running() const { return running_ != 0; }
  // The value each tick of the running fade carries.
  int step() const { return progress_.step(); }
  // Modes of the last fade-in and fade-out.
  int inMode() const { return inMode_; }
  int outMode() const { return outMode_; }
  void copyModesFrom(const ControlFade& other);

  // Stops the fade; its surfaces stay for the next one.
  void stop() { running_ = 0; }
  // The control's size changed: the surfaces go (re-created on demand) and
  // nothing runs.
  void dropSurfaces();
  // Everything back to the state of a new control.
  void reset();

  // A fade-in of a control whose surface is shaped like `surface` with the
  // given mode: returns the cleared graphics to paint the new look into
  // (null when no surface could be made).
  Gdiplus::GpGraphics* startIn(const MemoryCanvas& surface, int stepPercent, int mode);
  // One fade-in tick over the old look held in surface: returns the DC of
  // the frame to show, null when the fade has nothing to show. last is set
  // on the final frame.
  HDC nextInFrame(HDC surface, int width, int height, bool& last);

  // A fade-out animation whose frames the control draws.
  void startOut(const MemoryCanvas& surface, int stepPercent, int mode);
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
  int running_ = 0;
  int inMode_ = 0;
  int outMode_ = 0;
};

}  // namespace talvek
