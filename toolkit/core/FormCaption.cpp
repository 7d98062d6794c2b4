// Caption buttons, dragging, border resizing and double-click maximise of
// the form.
#include "toolkit/core/BorderZones.h"
#include "toolkit/core/CaptionButtonPainter.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/SystemCursor.h"
#include "toolkit/core/ToolkitGlobals.h"
#include "toolkit/core/ToolkitWindowProc.h"

namespace talvek {
namespace {

constexpr int kDoubleClickShiftX = 10, kDoubleClickShiftY = -1;

bool inRect(const Rect& r, POINT p) { return containsPoint(r, p.x, p.y); }

}  // namespace

void Form::onMouseMove(POINT point) {
  if (leftDown_ == 0) showSystemCursor(cursor::kArrow);
  if (borderCursorTest(point, false)) return;
  captionMouse(CaptionInput::Move, point);
  if (inRect(captionRect_, point) && cursorOverride == 0) showSystemCursor(cursor::kArrow);
}

void Form::onLeftDown(POINT point) {
  leftDown_ = 1;
  if (hasCaption_ && inDragBand(point.x, point.y, width(), frameInset_, captionButtons_.totalWidth(),
                                captionRightMargin_)) {
    if (borderCursorTest(point, true)) return;
    if (!maximised_ && !dragLocked_ && !controlUnder(point)) startDrag();
    return;
  }
  if (borderCursorTest(point, true)) return;
  captionMouse(CaptionInput::Down, point);
}

void Form::onLeftUp(POINT point) {
  leftDown_ = 0;
  captionMouse(CaptionInput::Up, point);
}

void Form::onLeftDoubleClick(POINT point) {
  if (!dblClickMaximise_ || !sizable_ || !hasCaption_) return;
  const POINT shifted{point.x + kDoubleClickShiftX, point.y + kDoubleClickShiftY};
  if (inRect(captionRect_, shifted)) captionAction(maximised_ ? caption::kRestore : caption::kMaximise);
}

void Form::onMouseLeave() { captionMouse(CaptionInput::Leave, {0, 0}); }

int Form::borderCursorTest(POINT point, bool resize) {
  if (sizable_ != 1 || maximised_) return 0;
  // The caption buttons reach into the top resize band; where one is drawn
  // the user is aiming at the button.
  if (captionButtons_.indexAt(point.x, point.y)) return 0;
  const BorderZone zone = borderZoneAt(point.x, point.y, width(), height(), frameInset_);
  if (zone == BorderZone::None) return 0;
  const BorderZoneInfo info = borderZoneInfo(zone);
  showSystemCursor(static_cast<WORD>(info.cursorId));
  if (resize && hwnd_) SendMessageW(hwnd_, WM_SYSCOMMAND, info.sizeCommand, 0);
  return static_cast<int>(zone);
}

Rect Form::desktopRect() {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  return {desktop.left, desktop.top, desktop.right - desktop.left, desktop.bottom - desktop.top};
}

bool Form::controlUnder(POINT point) const {
  // Controls are hit in the screen's pixels.
  return hwnd_ && hitTest(hwnd_, POINT{scale_.toDevice(point.x), scale_.toDevice(point.y)}) != 0;
}

void Form::startDrag() {
  if (!hwnd_) return;
  POINT screen{};
  GetCursorPos(&screen);
  SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

void Form::captionMouse(CaptionInput input, POINT point) {
  const CaptionOutcome outcome = captionButtons_.mouse(input, point.x, point.y);
  if (outcome.takeCapture && hwnd_) SetCapture(hwnd_);
  if (outcome.releaseCapture) ReleaseCapture();
  for (int index : outcome.fadesToStart) {
    if (hwnd_) SetTimer(hwnd_, form_timer::captionFade(index), form_timer::kFadeInterval, nullptr);
  }
  if (outcome.downOutside && !maximised_ && dragAnywhere_ && !controlUnder(point)) startDrag();
  if (outcome.action) captionAction(outcome.action);
}

void Form::fadeStep(int index) {
  if (index < 1 || index > captionButtons_.count()) {
    // A button that went away with a style change takes its timer along.
    if (hwnd_) KillTimer(hwnd_, form_timer::captionFade(index));
    return;
  }
  const bool done = captionButtons_.fadeStep(index);
  paintCaptionButton(canvas_, backgroundCanvas_, captionButtons_.at(index));
  if (done && hwnd_) KillTimer(hwnd_, form_timer::captionFade(index));
}

void Form::captionAction(int type) {
  if (captionHandler_ && captionHandler_(type)) return;
  if (!hwnd_) return;
  switch (type) {
    case caption::kClose:
      SendMessageW(hwnd_, WM_CLOSE, 0, 0);
      break;
    case caption::kMaximise: {
      captionButtons_.setMaximised(true);
      const Rect desktop = desktopRect();
      restoreRect_ = windowRect_;
      maximised_ = 1;
      placeWindow(desktop);
      break;
    }
    case caption::kRestore:
      maximised_ = 0;
      captionButtons_.setMaximised(false);
      ShowWindow(hwnd_, SW_RESTORE);
      // The window was only moved over the desktop, so the system has no
      // size to restore: go back to where it was.
      if (restoreRect_.width > 0 && restoreRect_.height > 0) {
        placeWindow(restoreRect_);
      }
      break;
    case caption::kMinimise:
      CloseWindow(hwnd_);
      break;
    default:
      break;
  }
}

}  // namespace talvek
