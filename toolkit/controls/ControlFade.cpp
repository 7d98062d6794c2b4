#include "toolkit/controls/ControlFade.h"

namespace talvek {
namespace {

void blend(HDC target, int width, int height, HDC source, int constantAlpha) {
  BLENDFUNCTION function{AC_SRC_OVER, 0, static_cast<BYTE>(constantAlpha), AC_SRC_ALPHA};
  GdiAlphaBlend(target, 0, 0, width, height, source, 0, 0, width, height, function);
}

}  // namespace

void ControlFade::copyModesFrom(const ControlFade& other) {
  inMode_ = other.inMode_;
  outMode_ = other.outMode_;
}

void ControlFade::dropSurfaces() {
  target_ = MemoryCanvas();
  previous_ = MemoryCanvas();
  timerKey_ = 0;
}

void ControlFade::reset() {
  dropSurfaces();
  progress_ = FadeProgress();
  interval_ = 0;
  inMode_ = outMode_ = 0;
}

Gdiplus::GpGraphics* ControlFade::startIn(const MemoryCanvas& surface, int intervalMs, int stepPercent, int mode) {
  if (!target_) target_ = MemoryCanvas::like(surface);
  if (!previous_) previous_ = MemoryCanvas::like(surface);
  target_.clear();
  progress_.start(stepPercent);
  inMode_ = mode;
  timerKey_ = kFadeInTimerKey;
  interval_ = fadeInterval(intervalMs);
  return target_.graphics();
}

HDC ControlFade::nextInFrame(HDC surface, int width, int height, bool& last) {
  last = false;
  if (!running() || !target_ || !previous_) return nullptr;
  last = progress_.tickIn();
  const int alpha = progress_.alpha();
  HDC frame = previous_.dc();
  previous_.clear();
  if (inMode_ != 0) {
    BitBlt(frame, 0, 0, width, height, surface, 0, 0, SRCCOPY);
  } else {
    blend(frame, width, height, surface, 255 - alpha);
  }
  blend(frame, width, height, target_.dc(), alpha);
  return frame;
}

void ControlFade::startOut(const MemoryCanvas& surface, int intervalMs, int stepPercent, int mode) {
  if (target_) {
    target_.clear();
  } else {
    target_ = MemoryCanvas::like(surface);
  }
  progress_.start(stepPercent);
  outMode_ = mode;
  timerKey_ = kFadeOutTimerKey;
  interval_ = fadeInterval(intervalMs);
}

Gdiplus::GpGraphics* ControlFade::nextOutFrame(int& alpha, bool& last) {
  last = false;
  if (!running() || !target_) return nullptr;
  last = progress_.tickOut(alpha);
  target_.clear();
  return target_.graphics();
}

void ControlFade::finish(HDC surface, int width, int height) {
  BitBlt(surface, 0, 0, width, height, target_.dc(), 0, 0, SRCCOPY);
  timerKey_ = 0;
}

}  // namespace talvek
