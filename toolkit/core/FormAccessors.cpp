// The form's accessor operations: window shape, layering, visibility,
// style, position and the animation settings.
#include <dwmapi.h>

#include "toolkit/core/Form.h"
#include "toolkit/core/ImageDecoder.h"
#include "toolkit/core/ToolkitGlobals.h"

namespace talvek {
namespace {

constexpr int kShadowInset = 5;
constexpr int kDefaultAnimationInterval = 16;

}  // namespace

void Form::applyRegion(bool redrawNow) {
  if (!hwnd_) return;
  const int radius = scale_.toDevice(cornerRadius_);
  HRGN region = cornerRadius_ > 0 ? CreateRoundRectRgn(0, 0, windowRect_.width, windowRect_.height, radius, radius)
                                  : nullptr;
  // The window owns the region from here on.
  SetWindowRgn(hwnd_, region, redrawNow ? TRUE : FALSE);
}

int Form::cornerRadius(std::optional<int> radius, bool redrawNow) {
  if (radius) {
    cornerRadius_ = *radius;
    applyRegion(false);
    if (redrawNow) repaintAll();
  }
  return cornerRadius_;
}

void Form::regionOn(bool on) {
  if (!hwnd_ || cornerRadius_ == 0) return;
  if (on) {
    applyRegion(false);
  } else {
    SetWindowRgn(hwnd_, nullptr, FALSE);
  }
}

int Form::layeredMode(std::optional<bool> on, bool shadow, bool redrawNow) {
  if (on && hwnd_) {
    setLayered(*on, shadow);
    layoutCaption();
    rebuildCanvases();
    if (redrawNow) redraw(true);
  }
  return layered_;
}

void Form::setLayered(bool on, bool shadow) {
  LONG exStyle = GetWindowLongW(hwnd_, GWL_EXSTYLE);
  exStyle = on ? (exStyle | WS_EX_LAYERED) : (exStyle & ~WS_EX_LAYERED);
  SetWindowLongW(hwnd_, GWL_EXSTYLE, exStyle);
  layered_ = on ? 1 : 0;
  shown_.forget();
  shadow_ = shadow ? 1 : 0;
  frameInset_ = layered_ && shadow_ ? kShadowInset : 0;
}

bool Form::blurBehind(bool enable, int radius) {
  // Only Windows 7 blurs behind a window this way.
  if (osVersion < 6 || osVersion - 6.1 > 1e-7 || !hwnd_) return false;
  using BlurProc = HRESULT(WINAPI*)(HWND, const DWM_BLURBEHIND*);
  HMODULE dwm = LoadLibraryA("dwmapi.dll");
  auto blur = dwm ? reinterpret_cast<BlurProc>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmEnableBlurBehindWindow")))
                  : nullptr;
  if (!blur) return false;
  const int inset = scale_.toDevice(frameInset_), rounding = scale_.toDevice(radius);
  GdiObject region(CreateRoundRectRgn(inset, inset, windowRect_.width - inset, windowRect_.height - inset, rounding,
                                      rounding));
  DWM_BLURBEHIND settings{};
  settings.dwFlags = DWM_BB_ENABLE | DWM_BB_BLURREGION;
  settings.fEnable = enable ? TRUE : FALSE;
  settings.hRgnBlur = static_cast<HRGN>(region.get());
  blur(hwnd_, &settings);
  return true;
}

void Form::show(std::optional<bool> visible) {
  if (!hwnd_) return;
  ShowWindow(hwnd_, visible && !*visible ? SW_HIDE : SW_SHOW);
  UpdateWindow(hwnd_);
}

bool Form::disabled(std::optional<bool> value) {
  if (!hwnd_) return false;
  if (value) EnableWindow(hwnd_, !*value);
  return IsWindowEnabled(hwnd_) == FALSE;
}

void Form::style(int styleFlags) {
  captionButtons_.rebuild(styleFlags);
  layoutCaption();
}

int Form::sizable(std::optional<int> value) {
  if (value) sizable_ = *value;
  return sizable_;
}

int Form::dblClickMaximise(std::optional<int> value) {
  if (value) dblClickMaximise_ = *value;
  return dblClickMaximise_;
}

int Form::dragLocked(std::optional<int> value) {
  if (value) dragLocked_ = *value;
  return dragLocked_;
}

bool Form::topmost(std::optional<bool> on) {
  if (!hwnd_) return false;
  if (on) SetWindowPos(hwnd_, *on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  return (GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void Form::move(std::optional<int> x, std::optional<int> y, std::optional<int> width, std::optional<int> height) {
  if (!hwnd_) return;
  const auto device = [this](std::optional<int> value, int current) {
    return value ? scale_.toDevice(*value) : current;
  };
  MoveWindow(hwnd_, device(x, windowRect_.x), device(y, windowRect_.y), device(width, windowRect_.width),
             device(height, windowRect_.height), TRUE);
}

void Form::placeWindow(const Rect& pixels) {
  if (hwnd_) MoveWindow(hwnd_, pixels.x, pixels.y, pixels.width, pixels.height, TRUE);
}

int Form::showEffect(std::optional<int> effect, int interval) {
  if (effect) {
    showEffect_ = *effect;
    animationInterval_ = interval != 0 ? interval : kDefaultAnimationInterval;
  }
  return effect.value_or(showEffect_);
}

int Form::closeEffect(std::optional<int> effect) {
  if (effect) closeEffect_ = *effect;
  return effect.value_or(closeEffect_);
}

void Form::setIconImage(ByteView bytes) {
  frameCache_.forget();  // the old icon goes, a new one may take its address
  iconImage_ = decodeImage(bytes, 16, 16);
}

}  // namespace talvek
