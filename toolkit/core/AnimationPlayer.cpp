#include "toolkit/core/AnimationPlayer.h"

#include "toolkit/core/WindowProperties.h"

#include <algorithm>

namespace talvek {
namespace {

constexpr int kFlipEnd = 180;

}  // namespace

void AnimationPlayer::start(HWND window, HDC sourceDC, int alpha) {
  reset();
  window_ = window;
  readWindowRect();
  snapshot_ = MemoryCanvas(box_.width, box_.height);
  if (snapshot_ && sourceDC) BitBlt(snapshot_.dc(), 0, 0, box_.width, box_.height, sourceDC, 0, 0, SRCCOPY);
  sourceDC_ = sourceDC;
  playerAlpha_ = std::clamp(alpha, 0, 255);
}

void AnimationPlayer::reset() {
  window_ = nullptr;
  box_ = {};
  snapshot_ = MemoryCanvas();
  work_ = MemoryCanvas();
  sourceDC_ = nullptr;
  progress_ = 0;
  flip_ = FlipGeometry();
}

void AnimationPlayer::readWindowRect() {
  RECT r{};
  if (window_) GetWindowRect(window_, &r);
  box_.x = r.left;
  box_.y = r.top;
  box_.scale = window_ ? windowDisplayScale(window_) : DisplayScale();
  setSize(r.right - r.left, r.bottom - r.top);
}

void AnimationPlayer::setSize(int width, int height) {
  box_.width = width;
  box_.height = height;
  flip_.setSize(width, height);
}

void AnimationPlayer::showInvisible() {
  if (!window_) return;
  present({box_.x, box_.y, box_.width, box_.height, 0, false}, snapshot_.dc());
}

bool AnimationPlayer::step(int effect, bool appear) {
  if (!window_) return true;
  if (effect == kEffectFlip || effect == kEffectFlipBack) return flipStep(effect, appear);
  if (progress_ < 1) readWindowRect();
  EffectFrame frame = stepEffect(effect, appear, progress_, box_, playerAlpha_);
  const bool resized = frame.width != box_.width || frame.height != box_.height;
  if ((effect == kEffectExpand || effect == kEffectZoom) && resized) {
    drawScaled(frame);
    present(frame, work_.dc());
  } else {
    // Fades and slides show the snapshot as it is; the roll shows its top.
    present(frame, snapshot_.dc());
  }
  return frame.done;
}

void AnimationPlayer::drawScaled(const EffectFrame& frame) {
  // Expand draws into a canvas the margin larger than the snapshot; zoom
  // never grows past the snapshot.
  const int margin = box_.scale.toDevice(kExpandMargin);
  const int width = box_.width + margin, height = box_.height + margin;
  if (work_.width() != width || work_.height() != height) work_ = MemoryCanvas(width, height);
  if (!work_ || !snapshot_ || frame.width <= 0 || frame.height <= 0) return;
  work_.clear();
  SetStretchBltMode(work_.dc(), HALFTONE);
  StretchBlt(work_.dc(), 0, 0, frame.width, frame.height, snapshot_.dc(), 0, 0, box_.width, box_.height, SRCCOPY);
}

bool AnimationPlayer::flipStep(int effect, bool appear) {
  if (progress_ < 1) {
    readWindowRect();
    // A disappear run turns back from the finished appear position.
    flip_.setAngle(appear ? 0 : kFlipEnd);
    progress_ = 1;
  }
  const bool done = flip_.stepAngle(appear);
  const int angle = flip_.angle();
  if (!work_ || work_.width() != box_.width || work_.height() != box_.height) work_ = MemoryCanvas(box_.width, box_.height);
  if (work_ && snapshot_) {
    work_.clear();
    // The default stretch mode ANDs the dropped rows together, which breaks
    // premultiplied colours; dropping them whole keeps every pixel valid.
    SetStretchBltMode(work_.dc(), COLORONCOLOR);
    const auto corners = flip_.projectedCorners(effect == kEffectFlipBack);
    const auto top = FlipGeometry::edgePoints(corners[0], corners[3]);
    const auto bottom = FlipGeometry::edgePoints(corners[1], corners[2]);
    // One snapshot column per point of the top edge, stretched down to the
    // matching point of the bottom edge.
    const size_t count = top.size();
    for (size_t i = 0; i < count; ++i) {
      const size_t j = count > 1 ? i * (bottom.size() - 1) / (count - 1) : 0;
      const int column = count > 1 ? static_cast<int>(i * static_cast<size_t>(box_.width - 1) / (count - 1)) : 0;
      const int height = bottom[j].y - top[i].y;
      if (height <= 0) continue;
      StretchBlt(work_.dc(), top[i].x, top[i].y, 1, height, snapshot_.dc(), column, 0, 1, box_.height, SRCCOPY);
    }
  }
  // The window fades with the turn: away from the viewer it thins out.
  const int alpha = playerAlpha_ * std::clamp(angle, 0, kFlipEnd) / kFlipEnd;
  present({box_.x, box_.y, box_.width, box_.height, alpha, done}, work_.dc());
  if (done) {
    progress_ = 0;
    flip_.setAngle(0);
  }
  return done;
}

void AnimationPlayer::present(const EffectFrame& frame, HDC source) {
  if (!window_ || !source) return;
  POINT position{frame.x, frame.y};
  SIZE size{frame.width, frame.height};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(frame.alpha, 0, 255)), AC_SRC_ALPHA};
  UpdateLayeredWindow(window_, nullptr, &position, &size, source, &origin, 0, &blend, ULW_ALPHA);
}

}  // namespace talvek
