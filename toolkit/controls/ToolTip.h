// A control's tooltip: one tool over a rectangle of the host window, in the
// toolkit's blue with white text.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/core/Rect.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class ToolTip {
 public:
  // Replaces any previous tip; an empty text leaves none.
  void createOrReplace(HWND owner, const std::string& text, const Rect& area, bool balloon, bool centred);
  // Recreates the tip only when the text differs.
  void update(HWND owner, const std::string& text, const Rect& area);
  // Registers the tool again with the current text.
  void refresh(HWND owner, const Rect& area);
  void destroy();
  bool exists() const { return window_.get() != nullptr; }
  HWND window() const { return window_.get(); }
  const std::string& text() const { return text_; }

 private:
  Window window_;
  HWND owner_ = nullptr;  // the host whose mouse messages reach the tip
  std::string text_;
  bool balloon_ = false;
  bool centred_ = false;
};

}  // namespace talvek
