// The form's message table and its timers.
#include "toolkit/core/DisplayDpi.h"
#include "toolkit/core/Form.h"
#include "toolkit/core/MessageSeal.h"
#include "toolkit/core/SystemCursor.h"
#include "toolkit/core/ToolkitGlobals.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek {
namespace {

POINT clientPoint(LPARAM lParam, const DisplayScale& scale) {
  return {scale.toLogical(static_cast<short>(LOWORD(lParam))), scale.toLogical(static_cast<short>(HIWORD(lParam)))};
}

}  // namespace

std::intptr_t Form::handleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  // destroy() clears these, so take them before the message is handled.
  const HWND window = hwnd_;
  const WNDPROC oldProc = oldProc_;
  LRESULT result = 0;
  bool closeAnimated = false;
  if (preHook_ && preHook_(window, message, wParam, lParam, result)) return result;
  if (message == WM_IME_CHAR) return DefWindowProcW(window, message, wParam, lParam);

  if (!paintMessage(message, wParam, lParam) && !sizeMessage(message, wParam, lParam) &&
      !mouseMessage(message, lParam)) {
    if (std::optional<LRESULT> answer = lifecycleMessage(message, wParam, lParam, closeAnimated)) return *answer;
  }

  if (postHook_ && postHook_(window, message, wParam, lParam, result)) {
    // A close refused after the window has faded out must bring it back.
    if (closeAnimated && hwnd_) present(wholeWindow());
    return result;
  }
  if (!window) return 0;
  return oldProc ? CallWindowProcW(oldProc, window, message, wParam, lParam)
                 : DefWindowProcW(window, message, wParam, lParam);
}

bool Form::paintMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd_, &paint);
      if (canvas_) BitBlt(dc, 0, 0, canvas_.width(), canvas_.height(), canvas_.dc(), 0, 0, SRCCOPY);
      EndPaint(hwnd_, &paint);
      return true;
    }
    case WM_KEYDOWN:
      if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
      }
      return true;
    case WM_TIMER:
      onTimer(wParam);
      return true;
    default:
      if (message == updateRectMessage && updateRectMessage != 0) {
        if (const Rect* area = message_seal::updateRectOf(wParam, lParam)) present(*area);
        return true;
      }
      return false;
  }
}

bool Form::sizeMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case WM_MOVE:
      refreshWindowRect();
      if (ncDragging_ && cursorOverride == 0) {
        showSystemCursor(cursor::kArrow);
        ncDragging_ = 0;
      }
      return true;
    case WM_SIZE:
      // The form being made draws its frame once, when it knows its look;
      // one drawn for the size it is moved to first would be thrown away.
      if (placingNewWindow_) {
        refreshWindowRect();
        return true;
      }
      if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
        refreshWindowRect();
        if (maximised_) {
          const Rect desktop = desktopRect();
          if (windowRect_.x != desktop.x || windowRect_.y != desktop.y || windowRect_.width != desktop.width ||
              windowRect_.height != desktop.height) {
            placeWindow(desktop);
          }
        }
      }
      layoutCaption();
      layoutControls();
      rebuildCanvases(true);
      redraw(false);
      if (cornerRadius_ >= 1 && !animating_) applyRegion(true);
      return true;
    case WM_GETMINMAXINFO: {
      // Only the system sends it with a record; anyone else may send null.
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (info) info->ptMinTrackSize = {minTrackWidth_, minTrackHeight_};
      return true;
    }
    case WM_NCLBUTTONDOWN:
      ncDragging_ = 1;
      return true;
    case kDpiChangedMessage:
      // The rectangle is read only when the screen's scale really changed
      // and no other thread or process sent the message: a posted forgery
      // would otherwise have an address of its choosing read.
      onScaleChanged((InSendMessageEx(nullptr) & ISMEX_SEND) ? nullptr : reinterpret_cast<const RECT*>(lParam));
      return true;
    default:
      return false;
  }
}

bool Form::mouseMessage(unsigned message, std::intptr_t lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!mouseTracked_ && hwnd_) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd_, 0};
        mouseTracked_ = TrackMouseEvent(&track) ? 1 : 0;
      }
      onMouseMove(clientPoint(lParam, scale_));
      return true;
    case WM_LBUTTONDOWN:
      onLeftDown(clientPoint(lParam, scale_));
      return true;
    case WM_LBUTTONUP:
      onLeftUp(clientPoint(lParam, scale_));
      return true;
    case WM_LBUTTONDBLCLK:
      onLeftDoubleClick(clientPoint(lParam, scale_));
      return true;
    case WM_MOUSELEAVE:
      onMouseLeave();
      mouseTracked_ = 0;
      return true;
    default:
      return false;
  }
}

std::optional<LRESULT> Form::lifecycleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                              bool& closeAnimated) {
  switch (message) {
    case WM_DESTROY:
      inDestroyMessage_ = true;
      destroy();
      inDestroyMessage_ = false;
      break;
    case WM_SHOWWINDOW:
      if (showEffect_ != 0) startAnimation(wParam != 0);
      break;
    case WM_WINDOWPOSCHANGED:
      // Every way of showing a window ends here, SetWindowPos included,
      // which sends no WM_SHOWWINDOW. A window shown again may have let go
      // of its picture meanwhile, so it gets the whole of it at the next
      // tick, and at once, with the timer resting or not.
      if (hwnd_ && lParam && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) {
        shown_.forget();
        setPresentPending(hwnd_, true);
      }
      break;
    case WM_QUERYENDSESSION:
      if (!busy_) break;
      if (onBusyRefusal_) onBusyRefusal_(message);
      return FALSE;
    case WM_CLOSE:
      if (busy_) {
        if (onBusyRefusal_) onBusyRefusal_(message);
        return 0;
      }
      if (closing_) return 0;  // one close at a time; the first one finishes it
      if (closeEffect_ != 0 || showEffect_ != 0) {
        closeWithAnimation();
        if (!hwnd_) return 0;  // destroyed while the animation ran
        closeAnimated = true;
      }
      break;
    default:
      break;
  }
  return std::nullopt;
}

void Form::onScaleChanged(const RECT* suggested) {
  if (!hwnd_) return;
  const int logicalWidth = width(), logicalHeight = height();
  if (!takeWindowScale()) return;
  // Without a rectangle the window keeps its place and its size in 96-dpi
  // units.
  const Rect place = suggested ? Rect{suggested->left, suggested->top, suggested->right - suggested->left,
                                      suggested->bottom - suggested->top}
                               : Rect{windowRect_.x, windowRect_.y, scale_.toDevice(logicalWidth),
                                      scale_.toDevice(logicalHeight)};
  shown_.forget();
  placeWindow(place);
  // A window whose pixel size did not change gets no WM_SIZE, and its
  // controls still draw at the old scale.
  refreshWindowRect();
  layoutCaption();
  layoutControls();
  rebuildCanvases();
  if (cornerRadius_ >= 1 && !animating_) applyRegion(false);
  redraw(true);
}

void Form::onTimer(std::uintptr_t id) {
  const unsigned kind = LOWORD(id);
  const int argument = HIWORD(id);
  switch (kind) {
    case form_timer::kPresent:
      if (!hwnd_) break;
      if (presentWhatIsPending()) {
        // Drawing that nobody announced to the form still brings the pace back.
        if (presentTimerResting_) pacePresentTimer(false);
      } else if (!presentTimerResting_) {
        pacePresentTimer(true);
      }
      break;
    case form_timer::kCaptionFade:
      fadeStep(argument);
      if (captionButtons_.count() >= argument && argument >= 1) {
        present(canvas_.pixelRect(captionButtons_.at(argument).rect));
      } else {
        present({});
      }
      break;
    case form_timer::kAnimation:
      animationTick(argument == 1);
      break;
    default:
      break;
  }
}

bool Form::presentWhatIsPending() {
  if (!hwnd_ || !presentPending(hwnd_)) return false;
  setPresentPending(hwnd_, false);
  present({});
  return true;
}

void Form::drawingPending() {
  if (hwnd_ && presentTimerResting_) pacePresentTimer(false);
}

void Form::pacePresentTimer(bool resting) {
  presentTimerResting_ = resting;
  SetTimer(hwnd_, form_timer::kPresent, resting ? form_timer::kRestingPresentInterval : form_timer::kPresentInterval,
           nullptr);
}

}  // namespace talvek
