// Point and wheel arithmetic of mouse messages, kept apart from the window
// procedure so it is tested natively.
#pragma once

#include <cstdint>

namespace talvek {

struct MousePoint {
  int x = 0;
  int y = 0;
};

// x is the unsigned low word, y the arithmetically shifted high word.
inline MousePoint mousePoint(std::intptr_t lParam) {
  auto bits = static_cast<std::uint32_t>(lParam);
  return {static_cast<int>(bits & 0xFFFFu), static_cast<std::int32_t>(bits) >> 16};
}

// Low 16 bits x, high 16 bits y, both relative to the origin.
inline std::int32_t packLocalPoint(MousePoint point, int originX, int originY) {
  auto x = static_cast<std::uint32_t>(point.x - originX) & 0xFFFFu;
  auto y = static_cast<std::uint32_t>(point.y - originY);
  return static_cast<std::int32_t>((y << 16) | x);
}

// Whole notches of 120, truncated toward zero.
inline int wheelSteps(std::uintptr_t wParam) {
  int delta = static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam)) >> 16;
  return delta / 120;
}

}  // namespace talvek
