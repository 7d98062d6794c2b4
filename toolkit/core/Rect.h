// The toolkit's rectangle: origin and size as signed 32-bit values, the
// same shape for control bounds, hit areas and window areas.
#pragma once

#include <cstdint>

namespace talvek {

struct Rect {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Whether (x, y) lies strictly inside: a point on any edge is outside, the
// rule of the control hit test, and so of everything that must agree with
// what the mouse reaches. The far edges are summed in 64 bits so they
// cannot wrap.
constexpr bool containsPoint(const Rect& r, std::int64_t x, std::int64_t y) {
  return x > r.x && x < std::int64_t{r.x} + r.width && y > r.y && y < std::int64_t{r.y} + r.height;
}

}  // namespace talvek
