#include "toolkit/controls/CompositionWindow.h"

#include <imm.h>

namespace talvek {
namespace {

// An input context taken with ImmGetContext goes back to the same window.
class InputContext {
 public:
  explicit InputContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
  ~InputContext() {
    if (context_) ImmReleaseContext(window_, context_);
  }
  InputContext(const InputContext&) = delete;
  InputContext& operator=(const InputContext&) = delete;
  HIMC get() const { return context_; }

 private:
  HWND window_;
  HIMC context_;
};

}  // namespace

bool placeCompositionWindow(HWND window, POINT clientPoint) {
  if (!window) return false;
  InputContext context(window);
  if (!context.get()) return false;
  // Forced, or some input methods keep their own idea of where to show.
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT | CFS_FORCE_POSITION;
  form.ptCurrentPos = clientPoint;
  return ImmSetCompositionWindow(context.get(), &form) != FALSE;
}

}  // namespace talvek
