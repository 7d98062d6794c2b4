// The form's side of the show and close animations: starting the player,
// its timer ticks, and waiting for the close animation.
#include "toolkit/core/Form.h"
#include "toolkit/core/MessagePump.h"

namespace talvek {
namespace {

constexpr int kDefaultInterval = 16;
// A close animation that has not ended after this long is given up, so a
// window whose timer never fires still closes.
constexpr DWORD kCloseWaitLimitMs = 10000;

unsigned animationTimerId(bool appear) { return form_timer::kAnimation | ((appear ? 1u : 0u) << 16); }

}  // namespace

void Form::startAnimation(bool appear) {
  if (!hwnd_ || !canvas_) return;
  paintPutOffControls();  // the player starts from the canvas as it is
  gdip::GdipFlush(canvas_.graphics(), Gdiplus::FlushIntentionSync);
  // A run still going is replaced by the new one.
  KillTimer(hwnd_, animationTimerId(!appear));
  animating_ = 1;
  // The player pushes its own frames: the next present pushes everything.
  shown_.forget();
  regionOn(false);
  animation_.start(hwnd_, canvas_.dc(), alpha_);
  if (appear) animation_.showInvisible();
  SetTimer(hwnd_, animationTimerId(appear), static_cast<UINT>(animationInterval_ > 0 ? animationInterval_ : kDefaultInterval),
           nullptr);
}

void Form::animationTick(bool appear) {
  if (!hwnd_) return;
  const int effect = showEffect_ != 0 ? showEffect_ : closeEffect_;
  if (!animation_.step(effect, appear)) return;
  KillTimer(hwnd_, animationTimerId(appear));
  animating_ = 0;
  animation_.reset();
  regionOn(true);
  // A closing window stays invisible: presenting it whole again would flash
  // it up just before it is destroyed. A plain window gets everything drawn
  // while the animation held presenting back.
  if (!closing_) present(wholeWindow());
}

void Form::closeWithAnimation() {
  if (closeEffect_ != 0) showEffect_ = 0;  // no show animation after the close
  closing_ = true;
  startAnimation(false);
  const HWND window = hwnd_;
  const DWORD started = GetTickCount();
  bool quit = false;
  auto waiting = [&] {
    return animating_ && hwnd_ == window && IsWindow(window) && !quit && GetTickCount() - started < kCloseWaitLimitMs;
  };
  while (waiting()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    // Asked after every message: a queue that never runs dry (a control
    // redrawing on a fast timer) must not hold the close beyond its limit.
    quit = !dispatchWaitingMessages(waiting);
  }
  if (hwnd_ == window && animating_) {
    KillTimer(window, animationTimerId(false));
    animating_ = 0;
    animation_.reset();
  }
  closing_ = false;
}

}  // namespace talvek
