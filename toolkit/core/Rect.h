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

}  // namespace talvek
