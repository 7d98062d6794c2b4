// The installer's hidden helper window. The installation worker sends it the
// relay message to run the extraction and finishing on the UI thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "installer/ErrorBalloon.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class ServiceWindow {
 public:
  static constexpr UINT kRelayMessage = 0x8075;

  // On the UI thread; the window is never shown.
  bool create();
  HWND handle() const { return window_.get(); }

  void setRelayHandler(std::function<void()> handler) { onRelay_ = std::move(handler); }
  // From any thread: runs the relay handler on the window's thread and
  // returns when it has finished.
  // False when the handler could not run or did not end normally.
  bool relay() const;

  // The error prefix and `message` in the balloon, its tip 20 pixels above
  // the mouse pointer. UI thread.
  void showErrorBalloon(const std::string& message);
  const ErrorBalloon& balloon() const { return balloon_; }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  Window window_;
  std::function<void()> onRelay_;
  ErrorBalloon balloon_;
};

}  // namespace talvek
