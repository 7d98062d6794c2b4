// The control base's side of a fade: starting, stepping and ending the
// cross-fade of a control's surface that ControlFade keeps.
#include "toolkit/controls/Control.h"

#include "toolkit/core/ToolkitSettings.h"

namespace talvek {

void Control::fadeRedraw(int intervalMs, int stepPercent, int mode) {
  if (animatedTransitions() == 0 || !surface_) {
    redraw();
    return;
  }
  settleRunningFade();
  paintPutOff_ = false;  // the new look is painted here
  if (Gdiplus::GpGraphics* newLook = fade_.startIn(surface_, intervalMs, stepPercent, mode)) {
    paint(newLook);
    gdip::GdipFlush(newLook, Gdiplus::FlushIntentionSync);
  }
  startFadeTimer();
}

void Control::fadeOutRedraw(int intervalMs, int stepPercent, int mode) {
  if (animatedTransitions() == 0 || !surface_) {
    redraw();
    return;
  }
  settleRunningFade();
  paintPutOff_ = false;  // the frames are painted by the fade
  fade_.startOut(surface_, intervalMs, stepPercent, mode);
  startFadeTimer();
}

void Control::startFadeTimer() {
  if (setTimer(fade_.timerKey(), fade_.interval(), fade_.step())) return;
  // Without a timer there is no animation: show the new look at once.
  fade_.stop();
  redraw();
}

void Control::fadeInTick() {
  bool last = false;
  HDC frame = fade_.nextInFrame(surface_.dc(), surface_.width(), surface_.height(), last);
  if (!frame) {
    abandonFade(kFadeInTimerKey);
    return;
  }
  compose(frame);
  updateWindow();
  if (last) finishFade();
}

void Control::fadeOutTick() {
  int alpha = 0;
  bool last = false;
  Gdiplus::GpGraphics* frame = fade_.nextOutFrame(alpha, last);
  if (!frame) {
    abandonFade(kFadeOutTimerKey);
    return;
  }
  fadeOutFrame(frame, alpha, transparency_);
  gdip::GdipFlush(frame, Gdiplus::FlushIntentionSync);
  compose(fade_.outFrame());
  updateWindow();
  if (last) finishFade();
}

void Control::settleRunningFade() {
  if (!fade_.running()) return;
  // Continue from the picture on screen.
  if (shownDC_ && shownDC_ != surface_.dc()) {
    BitBlt(surface_.dc(), 0, 0, surface_.width(), surface_.height(), shownDC_, 0, 0, SRCCOPY);
  }
  dropRunningFade();
}

void Control::dropRunningFade() {
  if (!fade_.running()) return;
  // A fade still running would later put its older picture back.
  killTimer(fade_.timerKey());
  fade_.stop();
  shownDC_ = surface_.dc();
}

void Control::abandonFade(int timerKey) {
  killTimer(timerKey);
  fade_.stop();
}

void Control::finishFade() {
  killTimer(fade_.timerKey());
  fade_.finish(surface_.dc(), surface_.width(), surface_.height());
  shownDC_ = surface_.dc();
  compose();
  updateWindow();
}

}  // namespace talvek
