#include "toolkit/core/MessageSeal.h"

#include "toolkit/core/SystemRandom.h"
#include "toolkit/core/ToolkitGlobals.h"

namespace talvek::message_seal {
namespace {

WPARAM draw() {
  WPARAM seal = 0;
  if (!drawSystemRandom(&seal, sizeof seal) || seal == 0) {
    // Without the random source, still nothing another process can read
    // off the window: the counter's low bits and our own addresses.
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    seal = static_cast<WPARAM>(counter.LowPart * 2654435761u) ^ reinterpret_cast<WPARAM>(&seal) ^
           (static_cast<WPARAM>(GetCurrentThreadId()) << 16) ^ 1;
  }
  return seal;
}

}  // namespace

WPARAM value() {
  static const WPARAM seal = draw();
  return seal;
}

bool matches(WPARAM candidate) { return candidate == value(); }

void sendUpdateRect(HWND window, const Rect& area) {
  if (!window || updateRectMessage == 0) return;
  Rect copy = area;
  SendMessageW(window, updateRectMessage, value(), reinterpret_cast<LPARAM>(&copy));
}

const Rect* updateRectOf(WPARAM wParam, LPARAM lParam) {
  if (!matches(wParam) || lParam == 0) return nullptr;
  return reinterpret_cast<const Rect*>(lParam);
}

}  // namespace talvek::message_seal
