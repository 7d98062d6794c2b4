// The balloon that shows what stops an installation before it starts: a
// small layered window with a tail, drawn with GDI+, at a screen point. It
// hides after a few seconds or at the next mouse click.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "installer/BalloonMarkup.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class ErrorBalloon {
 public:
  static constexpr UINT kDisplayMs = 6000;

  // `owner` keeps the balloon out of the taskbar and above the installer.
  bool create(HWND owner);
  // Replaces what is shown; the tail's tip is at `tip` (screen coordinates).
  void show(const std::string& markup, POINT tip);
  void hide();
  bool isVisible() const { return window_ && IsWindowVisible(window_.get()); }
  HWND handle() const { return window_.get(); }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void onClickWatch();
  bool render(const std::vector<BalloonLine>& lines, POINT tip);

  Window window_;
  bool clickArmed_ = false;
};

}  // namespace talvek
