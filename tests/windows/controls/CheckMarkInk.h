// How tests recognise the check mark's pixels: its dark edge over a light
// box is a neutral grey, unlike any box, caption or form colour they use.
#pragma once

#include <cstdint>
#include <cstdlib>

namespace talvek::test {

inline bool isCheckMarkInk(std::uint32_t argb) {
  const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  return (argb >> 24) > 0 && r < 170 && std::abs(r - g) < 16 && std::abs(g - b) < 16;
}

}  // namespace talvek::test
